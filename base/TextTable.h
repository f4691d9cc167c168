#pragma once

#include "base/ProfileFile.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Every text of the program outside the main window's components (whose language file sections
// "Action", "MenuItem", "GroupBox", "Label" and "Image" name the controls themselves): one row
// per text, with the language file section and key that translate it and the built-in Russian
// text. Loading a language, the windows and the test of the shipped language files all read
// this one table; a new text is one new row, used as Tr({"Section", "Key"}).
//
// A text with "%s" is filled in, one argument per "%s" in order, "%%" standing for a per cent
// sign; a translation must hold as many "%s" as the built-in text. Texts without "%s" are shown
// as they are. Group box captions get a blank on each side from the program, as in the main
// window.
struct TTextRow {
    std::string_view Section;
    std::string_view Key;
    std::string_view BuiltIn;
};

inline constexpr auto TextTable = std::to_array<TTextRow>({
    // The settings window.
    {"SettingsForm", "Caption", "Настройки..."},
    {"SettingsForm", "rgGraphics", "Отбражение графика"},
    {"SettingsForm", "rgGraphics.Item0", "Мужской и женский"},
    {"SettingsForm", "rgGraphics.Item1", "Только женский"},
    {"SettingsForm", "rgGraphics.Item2", "Только мужской"},
    {"SettingsForm", "pnColorWoman.Hint", "Цвет женского графика"},
    {"SettingsForm", "pnColorMan.Hint", "Цвет мужского графика"},
    {"SettingsForm", "gbGraph", "На графике"},
    {"SettingsForm", "cbOrdinate_Y", "Ось ординат (Y)"},
    {"SettingsForm", "cbAbscissa_X", "Ось абцисс (X)"},
    {"SettingsForm", "cbAxis", "Координатная ось"},
    {"SettingsForm", "cbMonthNumbers", "Числа месяцев"},
    {"SettingsForm", "gbPeriods", "В расчёте участвуют биоритмы"},
    {"SettingsForm", "chkPhysical", "Физический"},
    {"SettingsForm", "chkEmotional", "Эмоциональный"},
    {"SettingsForm", "chkSavvy", "Интелектуальный"},
    {"SettingsForm", "chkWarmhearted", "Сердечный"},
    {"SettingsForm", "spHelp.Hint", "Помогите"},
    {"SettingsForm", "gbAlphaBlend", "Прозрачность окна  настроек"},
    {"SettingsForm", "tbAlphaBlend.Hint", "Прозрачность %s%%"},
    {"SettingsForm", "btDefault", "По умолчанию"},
    {"SettingsForm", "btClose", "Закрыть"},
    // The box of the help button: a line, then two items each after " - ".
    {"SettingsForm", "HelpBox.Caption", "Информация"},
    {"SettingsForm", "HelpBox.Text", "Периоды, которые участвуют в расчётах:"},
    {"SettingsForm", "HelpBox.Item1", "хорошего и плохого дня"},
    {"SettingsForm", "HelpBox.Item2", "построение суммарного графика"},

    // The information viewer: captions of its commands, which are their hints too.
    {"InfoViewer", "miFile", "&Файл"},
    {"InfoViewer", "miEdit", "&Правка"},
    {"InfoViewer", "actClose", "Закрыть"},
    {"InfoViewer", "actFind", "Найти"},
    {"InfoViewer", "actSaveAs", "Сохранить как"},
    {"InfoViewer", "actWordWrap", "Перенос по словам"},
    {"InfoViewer", "actCopy", "Скопировать"},
    {"InfoViewer", "actSelectAll", "Выделить всё"},
    {"InfoViewer", "SaveDialog.Caption", "Сохранить как"},
    {"InfoViewer", "SaveDialog.Filter", "Текст в формате RTF"},
    // The help's window caption, also the name the save dialog proposes.
    {"InfoViewer", "Help.Caption", "Справка"},
    // The user guide's window caption (Shift+F1).
    {"InfoViewer", "Guide.Caption", "Руководство пользователя"},

    // The viewer's find dialog.
    {"FindDialog", "Caption", "Найти"},
    {"FindDialog", "lbFindText", "Что:"},
    {"FindDialog", "chkWholeWord", "Только слово целиком"},
    {"FindDialog", "chkMatchCase", "С учетом регистра"},
    {"FindDialog", "gbDirection", "Направление"},
    {"FindDialog", "rbUp", "Вверх"},
    {"FindDialog", "rbDown", "Вниз"},
    {"FindDialog", "btFindNext", "Найти далее"},
    {"FindDialog", "btCancel", "Отмена"},

    // The About box: six lines, the first with the version.
    {"About", "Caption", "О программе..."},
    {"About", "Line1", "Орванта %s"},
    {"About", "Line2", "Биоритмы пары: мужчины и женщины."},
    {"About", "Line3", "Физический, эмоциональный, интеллектуальный и сердечный циклы"},
    {"About", "Line4", "на месяц прогноза и следующий за ним."},
    {"About", "Line5", "Знак зодиака, стихия, возраст, прожитые дни,"},
    {"About", "Line6", "ближайшие хороший и плохой дни."},

    // Saving and printing the charts.
    {"Dialogs", "SaveAs.Caption", "Сохранить как"},
    {"Dialogs", "SaveAs.FileName", "Графики биоритмов"},
    {"Dialogs", "SaveAs.Png", "Рисунок PNG"},
    {"Dialogs", "SaveAs.Pdf", "Документ PDF"},
    {"Dialogs", "Print.Document", "Графики биоритмов"},
    // The question before a save replaces a file; the question holds the file's name.
    {"Dialogs", "Replace.Question", "Файл «%s» уже существует. Заменить его?"},
    {"Dialogs", "Replace.Yes", "Да"},
    {"Dialogs", "Replace.No", "Нет"},
    // Qt's own buttons that its translation leaves in English.
    {"Dialogs", "OK", "ОК"},

    // The couples a user keeps: the window's caption, a report's heading or the read-out's date
    // followed by the couple's name; the list of couples and the name's dialog.
    {"Couples", "Titled", "%s — %s"},
    {"Couples", "List.Caption", "Сохранённые пары"},
    {"Couples", "List.Find", "Найти:"},
    {"Couples", "List.Name", "Пара"},
    {"Couples", "List.Choose", "Выбрать"},
    {"Couples", "List.Rename", "Переименовать..."},
    {"Couples", "List.Delete", "Удалить..."},
    {"Couples", "List.Close", "Закрыть"},
    {"Couples", "List.Empty",
     "Сохранённых пар нет. Пару сохраняет команда «Сохранить пару...» меню «Файл»."},
    {"Couples", "Save.Caption", "Сохранить пару"},
    {"Couples", "Rename.Caption", "Переименовать пару"},
    {"Couples", "Name", "Имя пары:"},
    {"Couples", "Name.Hint", "От 1 до 100 знаков"},
    {"Couples", "Name.OK", "Сохранить"},
    {"Couples", "Name.Cancel", "Отмена"},
    {"Couples", "Replace.Question", "Пара «%s» уже сохранена. Заменить её?"},
    {"Couples", "Delete.Question", "Удалить пару «%s»?"},
    {"Couples", "Full", "Не могу сохранить пару: сохранено уже %s пар, больше нельзя"},

    // Error messages; the error box adds a full stop.
    {"Messages", "CannotWrite", "Не могу записать в %s"},
    {"Messages", "CannotCreate", "Не могу создать файл \"%s\". %s"},
    {"Messages", "CannotPrint", "Не могу начать печать на принтере \"%s\"."},
    {"Messages", "ResourceNotFound", "Ресурс %s не найден"},
    {"Messages", "NoFormatArgument", "Нет аргумента для формата '%s'"},
    {"Messages", "BadFormat", "Формат '%s' неверен или несовместим с аргументом"},
    // A file over the size limit, by its full name and the limit in MiB.
    {"Messages", "SettingsTooLarge",
     "Не могу прочитать файл настроек \"%s\": он больше %s МБ. Файл останется как есть, "
     "настройки не будут сохранены"},
    {"Messages", "LanguageTooLarge", "Не могу прочитать файл языка \"%s\": он больше %s МБ"},
    // The settings the close would write pass the limit: the file is kept as it is.
    {"Messages", "SettingsWouldBeTooLarge", "Не могу записать в %s: файл больше %s МБ"},
    // The system's reasons why a file could not be written.
    {"Messages", "Reason.PermissionDenied", "Отказано в доступе"},
    {"Messages", "Reason.NotPermitted", "Операция не позволена"},
    {"Messages", "Reason.NoSuchFile", "Нет такого файла или каталога"},
    {"Messages", "Reason.NotADirectory", "Это не каталог"},
    {"Messages", "Reason.IsADirectory", "Это каталог"},
    {"Messages", "Reason.NoSpace", "На устройстве не осталось свободного места"},
    {"Messages", "Reason.QuotaExceeded", "Превышена дисковая квота"},
    {"Messages", "Reason.ReadOnly", "Файловая система доступна только для чтения"},
    {"Messages", "Reason.NameTooLong", "Слишком длинное имя файла"},
    {"Messages", "Reason.TooManyFiles", "Слишком много открытых файлов"},
    {"Messages", "Reason.InputOutput", "Ошибка ввода-вывода"},
    {"Messages", "Reason.TooManyLinks", "Слишком много уровней символьных ссылок"},
    {"Messages", "Reason.NotAFile", "Это не обычный файл"},
    {"Messages", "Reason.Link",
     "Ссылка не ведёт к обычному файлу или принадлежит другому пользователю"},

    // The detail report.
    {"Report", "Caption.Man", "Подробная информация о мужчине"},
    {"Report", "Caption.Woman", "Подробная информация о женщине"},
    {"Report", "BirthDate", "Дата рождения"},
    {"Report", "PrognoseDate", "Дата прогноза"},
    {"Report", "Age", "Возраст"},
    {"Report", "Cycle.Physical", "Физический"},
    {"Report", "Cycle.Emotional", "Эмоциональный"},
    {"Report", "Cycle.Intellectual", "Интеллектуальный"},
    {"Report", "Cycle.Heart", "Сердечный"},
    // The same in a list inside a sentence: "физический и сердечный".
    {"Report", "Cycle.Physical.InList", "физический"},
    {"Report", "Cycle.Emotional.InList", "эмоциональный"},
    {"Report", "Cycle.Intellectual.InList", "интеллектуальный"},
    {"Report", "Cycle.Heart.InList", "сердечный"},
    {"Report", "Cycles", "Биоритмы на дату прогноза"},
    {"Report", "Cycles.Text",
     "Значение цикла дано в процентах от его размаха: 100\u00A0% — вершина подъёма, "
     "-100\u00A0% — самый глубокий спад, 0\u00A0% — переход через ноль. Цикл растёт, если на "
     "следующий день его значение выше, и убывает, если ниже."},
    {"Report", "Rising", "растёт"},
    {"Report", "Falling", "убывает"},
    {"Report", "NotShown", "не показан на графиках"},
    {"Report", "Unborn.Man",
     "На дату прогноза мужчина ещё не родился: циклы начинаются в день рождения."},
    {"Report", "Unborn.Woman",
     "На дату прогноза женщина ещё не родилась: циклы начинаются в день рождения."},
    {"Report", "CriticalDays", "Критические дни"},
    {"Report", "CriticalDays.Text",
     "Критический день — день, когда цикл переходит через ноль: его значение равно нулю или "
     "сменило знак по сравнению с предыдущим днём. День рождения — критический день всех "
     "циклов. Указаны дни с %s по %s"},
    {"Report", "CriticalDays.None", "нет"},
    {"Report", "Unfavourable", "Особо неблагоприятные дни"},
    {"Report", "Unfavourable.Text",
     "Дни, когда два цикла или больше переходят через ноль почти одновременно, с разницей не "
     "больше одного дня. Учитываются циклы, показанные на графиках."},
    {"Report", "Unfavourable.None", "В эти два месяца таких дней нет."},
    {"Report", "NoCharts",
     "Для этой даты прогноза графики не строятся, поэтому критические дни не указаны."},
    {"Report", "And", "и"},
    {"Report", "Compatibility", "Совместимость пары"},
    {"Report", "Compatibility.Text",
     "Чем ближе циклы двоих совпадают по фазе, тем выше совместимость: 100\u00A0%%, если между "
     "датами рождения целое число периодов цикла, и 0\u00A0%%, если половина периода. Между "
     "датами рождения мужчины и женщины %s."},
    {"Report", "Compatibility.Formula",
     "Совместимость = 100 × (1 + cos(2π·d / p)) / 2\u00A0%, где d — число дней между датами "
     "рождения, p — период цикла в днях."},
    {"Report", "Period", "период %s"},
    {"Report", "Period.Physical", "23,6884 дня"},
    {"Report", "Period.Emotional", "28,4261 дня"},
    {"Report", "Period.Intellectual", "33,1638 дня"},
    {"Report", "Period.Heart", "38 дней"},
    {"Report", "Compatibility.Mean", "Средняя совместимость по циклам, показанным на графиках: %s"},
    {"Report", "Nearest", "Ближайшие дни"},
    {"Report", "Nearest.Text",
     "Хороший день — ближайший пик суммы циклов, показанных на графиках, плохой — ближайший "
     "спад; они ищутся до конца второго месяца графиков. Прочерк значит, что такого дня в эти "
     "месяцы нет."},
    {"Report", "GoodDay", "Ближайший хороший день"},
    {"Report", "BadDay", "Ближайший плохой день"},
    // The days good and hard for both over the charted months: from and to.
    {"Report", "BothDays", "Хорошие и трудные дни для обоих"},
    {"Report", "BothDays.Text",
     "Хороший день для обоих — день, когда у каждого среднее циклов, показанных на графиках, "
     "выше нуля, а сумма двух средних на пике; трудный — когда у обоих среднее ниже нуля, а "
     "сумма в спаде. Указаны дни с %s по %s."},

    // The persons and cycles as the chart read-out, the calendar and the command line's report
    // name them; the cycles themselves are the detail report's.
    {"Couple", "Man", "Мужчина"},
    {"Couple", "Woman", "Женщина"},
    {"Couple", "Man.NotBorn", "ещё не родился"},
    {"Couple", "Woman.NotBorn", "ещё не родилась"},
    {"Couple", "Average", "Среднее"},
    {"Couple", "Average.InList", "среднее"},
    {"Couple", "NoCycles", "циклы не выбраны"},
    // A list of cycles: "физический цикл", "физический и сердечный циклы".
    {"Couple", "Cycles.One", "%s цикл"},
    {"Couple", "Cycles.Many", "%s циклы"},
    // The chart read-out: "<person>: <value>, <trend>" a line, or "<person>: <state>".
    {"Couple", "Readout.Line", "%s: %s, %s"},
    {"Couple", "Readout.State", "%s: %s"},
    // A day good or hard for both: the read-out's line, the calendar's summary; then the
    // lists of such days, or the word for none.
    {"Couple", "GoodForBoth", "Хороший день для обоих"},
    {"Couple", "HardForBoth", "Трудный день для обоих"},
    {"Couple", "GoodForBoth.Days", "Хорошие дни для обоих"},
    {"Couple", "HardForBoth.Days", "Трудные дни для обоих"},
    {"Couple", "NoDays", "нет"},

    // The calendar export: its dialog, and the events of the file.
    {"CalendarExport", "Caption", "Экспорт в календарь"},
    {"CalendarExport", "Explanation",
     "В календарь войдут критические дни, особо неблагоприятные дни, хорошие и плохие дни "
     "каждого человека на графиках, а когда на графиках оба — ещё дни, хорошие и трудные для "
     "обоих: за месяцы графиков и за выбранное число месяцев после них, "
     "каждый день отдельным событием на весь день. При повторном экспорте события заменяются, а "
     "не повторяются."},
    {"CalendarExport", "Months", "Месяцев после графиков:"},
    {"CalendarExport", "Save", "Сохранить..."},
    {"CalendarExport", "Cancel", "Отмена"},
    {"CalendarExport", "Filter", "Календарь iCalendar"},
    {"CalendarExport", "FileName", "Критические дни"},
    {"CalendarExport", "Nobody", "На графиках никто не показан: экспортировать нечего."},
    {"Calendar", "Name", "Орванта: критические дни"},
    {"Calendar", "Critical", "%s: критический день (%s)"},
    {"Calendar", "Unfavourable.Day", "%s: особо неблагоприятный день"},
    {"Calendar", "Unfavourable.Days", "%s: особо неблагоприятные дни"},
    {"Calendar", "Good", "%s: хороший день"},
    {"Calendar", "Bad", "%s: плохой день"},
    {"Calendar", "Birth", "%s, дата рождения %s."},
    {"Calendar", "Critical.Text", "Критический день: %s переходят через ноль."},
    {"Calendar", "Critical.TextOne", "Критический день: %s переходит через ноль."},
    {"Calendar", "Unfavourable.Text",
     "Особо неблагоприятные дни: %s переходят через ноль почти одновременно, с разницей не "
     "больше одного дня."},
    {"Calendar", "Good.Text", "Хороший день: пик суммы циклов (%s)."},
    {"Calendar", "Bad.Text", "Плохой день: спад суммы циклов (%s)."},
    {"Calendar", "Values", "%s: %s."},
    // The cycles in use; the couple's name, the last line of every event of a named couple.
    {"Calendar", "GoodForBoth.Text",
     "Хороший день для обоих: у каждого среднее циклов (%s) выше нуля, а сумма двух средних на "
     "пике."},
    {"Calendar", "HardForBoth.Text",
     "Трудный день для обоих: у каждого среднее циклов (%s) ниже нуля, а сумма двух средних в "
     "спаде."},
    {"Calendar", "Couple", "Пара: %s."},

    // The command line: its text report, its help ("\\n" starts a new line) and its messages.
    {"CommandLine", "Title", "Отчёт о биоритмах пары на %s"},
    {"CommandLine", "Cycles", "Циклы для среднего и ближайших дней: %s"},
    {"CommandLine", "Zodiac", "Знак зодиака"},
    {"CommandLine", "Element", "Стихия"},
    {"CommandLine", "DaysLived", "Возраст (в днях)"},
    {"CommandLine", "Date", "Дата"},
    {"CommandLine", "Column.Physical", "Физ."},
    {"CommandLine", "Column.Emotional", "Эмоц."},
    {"CommandLine", "Column.Intellectual", "Интел."},
    {"CommandLine", "Column.Heart", "Серд."},
    {"CommandLine", "Compatibility", "Совместимость пары (между датами рождения %s)"},
    {"CommandLine", "Help.Commands",
     "Орванта — биоритмы пары.\\n"
     "\\n"
     "Использование:\\n"
     "  orvanta [--language ИМЯ]  открыть окно программы на этом языке\\n"
     "  orvanta report --man ГГГГ-ММ-ДД --woman ГГГГ-ММ-ДД [параметры]\\n"
     "  orvanta report --couple ИМЯ [параметры]\\n"
     "                            вывести отчёт о биоритмах пары, без окна\\n"
     "  orvanta couples [--format text|json]\\n"
     "                            вывести пары, сохранённые в файле настроек\\n"
     "  orvanta --help            эта справка\\n"
     "  orvanta --version         версия программы"},
    {"CommandLine", "Help.Options",
     "Параметры отчёта:\\n"
     "  --man ГГГГ-ММ-ДД          дата рождения мужчины\\n"
     "  --woman ГГГГ-ММ-ДД        дата рождения женщины\\n"
     "  --couple ИМЯ              даты рождения сохранённой пары с этим именем, вместо\\n"
     "                            --man и --woman\\n"
     "  --date ГГГГ-ММ-ДД         дата прогноза; без него сегодняшняя\\n"
     "  --days N                  N дней (1..36525) с даты прогноза; без него месяц\\n"
     "                            прогноза и следующий, как на графиках\\n"
     "  --format text|json|csv    вид отчёта: текст (по умолчанию), JSON или таблица CSV\\n"
     "  --ics ФАЙЛ                записать ещё календарь iCalendar: критические, особо\\n"
     "                            неблагоприятные, хорошие и плохие дни обоих и дни,\\n"
     "                            хорошие и трудные для обоих, за месяцы графиков и\\n"
     "                            12 месяцев после них\\n"
     "  --cycles P,E,I,H          циклы для среднего, хороших и плохих дней и средней\\n"
     "                            совместимости: P физический, E эмоциональный,\\n"
     "                            I интеллектуальный, H сердечный; без него циклы из\\n"
     "                            файла настроек, как в окне\\n"
     "  --language ИМЯ            язык отчёта и окна: имя языкового файла, как его\\n"
     "                            показывает меню «Язык», или system — язык системы"},
    {"CommandLine", "Help.Report",
     "Отчёт: знак зодиака, стихия, возраст, прожитые дни, ближайшие хороший и плохой\\n"
     "дни каждого, значения циклов и среднего по дням в процентах, совместимость\\n"
     "пары по циклам и дни, хорошие и трудные для обоих. Даты в JSON и CSV —\\n"
     "ГГГГ-ММ-ДД."},
    {"CommandLine", "Help.Exit",
     "Код выхода: 0 — готово, 1 — не удалось записать, 2 — неверные аргументы."},
    {"CommandLine", "HelpHint", "Справка: orvanta --help"},
    {"CommandLine", "UnknownCommand", "неизвестная команда «%s»"},
    {"CommandLine", "UnknownOption", "неизвестный параметр «%s»"},
    {"CommandLine", "MissingValue", "у параметра «%s» нет значения"},
    {"CommandLine", "RepeatedOption", "параметр «%s» задан больше одного раза"},
    {"CommandLine", "MissingOption", "не задан параметр «%s»"},
    {"CommandLine", "OptionWithoutCommand", "параметр «%s» относится к команде report"},
    {"CommandLine", "ExtraArgument", "лишний аргумент «%s»"},
    {"CommandLine", "BadDate",
     "неверная дата «%s» у параметра «%s»: нужна дата ГГГГ-ММ-ДД с 0001-01-01 по 9999-12-31"},
    {"CommandLine", "BadDays", "неверное число дней «%s»: нужно целое от 1 до 36525"},
    {"CommandLine", "DaysPastCalendar", "дни отчёта выходят за 31 декабря 9999 г."},
    {"CommandLine", "ChartedMonthsPastCalendar",
     "у даты %s нет месяца после неё: месяцы графиков выходят за 31 декабря 9999 г., задайте "
     "--days"},
    {"CommandLine", "BadFormat", "неверный вид отчёта «%s»: нужен text, json или csv"},
    {"CommandLine", "BadCycles",
     "неверный список циклов «%s»: нужны буквы P, E, I, H через запятую, каждая не больше "
     "одного раза"},
    {"CommandLine", "EmptyFileName", "пустое имя файла у параметра «--ics»"},
    {"CommandLine", "NotAFile", "«%s» — не обычный файл: календарь не записан"},
    {"CommandLine", "CannotWriteReport", "не могу вывести отчёт"},
    // The stored couples: a couple's name and the man's and the woman's date of birth.
    {"CommandLine", "Couples.Line", "%s: мужчина — %s, женщина — %s"},
    {"CommandLine", "Couples.None", "Сохранённых пар нет."},
    {"CommandLine", "BadListFormat", "неверный вид списка «%s»: нужен text или json"},
    {"CommandLine", "UnknownCouple", "нет сохранённой пары «%s»"},
    {"CommandLine", "CoupleWithDate", "параметр «--couple» не задаётся вместе с «%s»"},
    {"CommandLine", "UnknownLanguage", "нет языка «%s»: нужно имя языкового файла или system"},

    // What assistive technologies say of controls that show no text of their own.
    {"Accessible", "MenuBar", "Главное меню"},
    {"Accessible", "StatusBar", "Строка состояния"},
    {"Accessible", "ToolBar", "Панель инструментов"},
    {"Accessible", "ScrollBar", "Полоса прокрутки"},
    {"Accessible", "Commands", "Команды программы"},
    {"Accessible", "Hints", "Подсказка к элементу под указателем мыши"},
    {"Accessible", "Document", "Текст документа: его можно выделять, копировать и искать в нём"},
    {"Accessible", "Chart",
     "График: щелчок левой кнопкой показывает значения дня, правой открывает меню"},
    {"Accessible", "ColorSquare", "Щелчок открывает выбор цвета"},
    {"Accessible", "PrognoseDate",
     "Дата прогноза: панели показывают этот день, графики — его месяц и следующий"},
    {"Accessible", "BirthDate",
     "Дата рождения: от неё считаются знак зодиака, возраст, прожитые дни и биоритмы"},
});

// A row of the table, found when the program is compiled: a key that no row has does not
// compile.
class TTextKey {
public:
    consteval TTextKey(std::string_view section, std::string_view key)
        : index_(IndexOf(section, key)) {}

    std::size_t Index() const { return index_; }
    const TTextRow& Row() const { return TextTable[index_]; }

private:
    static consteval std::size_t IndexOf(std::string_view section, std::string_view key) {
        for (std::size_t i = 0; i < TextTable.size(); ++i)
            if (TextTable[i].Section == section && TextTable[i].Key == key)
                return i;
        throw "no such row in TextTable";
    }

    std::size_t index_;
};

// The text of a row in the language in use: the language file's value, or the built-in text
// when the file has none (or no language file is in use).
const std::string& TextOf(TTextKey key);

// The same with its "%s" filled by the arguments in order. A translation whose placeholders do
// not fit the arguments is not used: the built-in text stands in.
std::string FormatTextOf(TTextKey key, std::span<const std::string> args);
std::string FormatTextOf(TTextKey key, std::initializer_list<std::string> args);

// Every row takes the file's value where it has one and its built-in text elsewhere.
void InstallTexts(const TProfileFile& file);
// Every row takes its built-in text.
void InstallBuiltInTexts();
