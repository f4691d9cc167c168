#pragma once

#include <array>
#include <string_view>

// The built-in Russian texts of the chart read-out, the calendar export and the command line,
// kept together so that a language layer can take them over. UTF-8; "%s" placeholders are
// filled in order by FormatText.

// The person words.
inline constexpr std::string_view TxtMan = "Мужчина";
inline constexpr std::string_view TxtWoman = "Женщина";
inline constexpr std::string_view TxtManNotBorn = "ещё не родился";
inline constexpr std::string_view TxtWomanNotBorn = "ещё не родилась";

// The cycles: as a column or list label, and as a word inside a sentence.
inline constexpr std::array<std::string_view, 4> TxtCycleNames{"Физический", "Эмоциональный",
                                                               "Интеллектуальный", "Сердечный"};
inline constexpr std::array<std::string_view, 4> TxtCycleWords{"физический", "эмоциональный",
                                                               "интеллектуальный", "сердечный"};
inline constexpr std::string_view TxtAverage = "Среднее";
inline constexpr std::string_view TxtAverageWord = "среднее";
inline constexpr std::string_view TxtRising = "растёт";
inline constexpr std::string_view TxtFalling = "убывает";
inline constexpr std::string_view TxtNoCycles = "циклы не выбраны";
inline constexpr std::string_view TxtAnd = " и ";
inline constexpr std::string_view TxtCycleSingular = "цикл";
inline constexpr std::string_view TxtCyclePlural = "циклы";

// The chart read-out: "<person>: <value>, <trend>" a line, after the day.
inline constexpr std::string_view TxtReadoutLine = "%s: %s, %s";
// "<person>: <state>" when there is no value: not born yet, or no cycle for the average.
inline constexpr std::string_view TxtReadoutState = "%s: %s";

// The calendar export in the "File" menu.
inline constexpr std::string_view TxtExportCalendarCaption = "Экспорт в календарь...";
inline constexpr std::string_view TxtExportCalendarHint =
    "Записать критические, неблагоприятные, хорошие и плохие дни в файл календаря";
inline constexpr std::string_view TxtExportCalendarTitle = "Экспорт в календарь";
inline constexpr std::string_view TxtExportCalendarExplanation =
    "В календарь войдут критические дни, особо неблагоприятные дни, хорошие и плохие дни "
    "каждого человека на графиках: за месяцы графиков и за выбранное число месяцев после них, "
    "каждый день отдельным событием на весь день. При повторном экспорте события заменяются, а "
    "не повторяются.";
inline constexpr std::string_view TxtExportCalendarMonths = "Месяцев после графиков:";
inline constexpr std::string_view TxtExportCalendarSave = "Сохранить...";
inline constexpr std::string_view TxtCancel = "Отмена";
inline constexpr std::string_view TxtExportCalendarFilter = "Календарь iCalendar (*.ics)";
inline constexpr std::string_view TxtExportCalendarFileName = "Критические дни.ics";
inline constexpr std::string_view TxtExportCalendarNobody =
    "На графиках никто не показан: экспортировать нечего.";
inline constexpr std::string_view TxtCannotWrite = "Не могу записать в %s";

// The calendar's events.
inline constexpr std::string_view TxtCalendarName = "Орванта: критические дни";
inline constexpr std::string_view TxtCriticalSummary = "%s: критический день (%s)";
inline constexpr std::string_view TxtUnfavourableDaySummary = "%s: особо неблагоприятный день";
inline constexpr std::string_view TxtUnfavourableDaysSummary = "%s: особо неблагоприятные дни";
inline constexpr std::string_view TxtGoodDaySummary = "%s: хороший день";
inline constexpr std::string_view TxtBadDaySummary = "%s: плохой день";
inline constexpr std::string_view TxtBirthLine = "%s, дата рождения %s.";
inline constexpr std::string_view TxtCriticalLine = "Критический день: %s переходят через ноль.";
inline constexpr std::string_view TxtCriticalLineOne = "Критический день: %s переходит через ноль.";
inline constexpr std::string_view TxtUnfavourableLine =
    "Особо неблагоприятные дни: %s переходят через ноль почти одновременно, с разницей не "
    "больше одного дня.";
inline constexpr std::string_view TxtGoodDayLine = "Хороший день: пик суммы циклов (%s).";
inline constexpr std::string_view TxtBadDayLine = "Плохой день: спад суммы циклов (%s).";
inline constexpr std::string_view TxtValuesLine = "%s: %s.";

// The command line's text report.
inline constexpr std::string_view TxtReportTitle = "Отчёт о биоритмах пары на %s";
inline constexpr std::string_view TxtReportCycles = "Циклы для среднего и ближайших дней: %s";
inline constexpr std::string_view TxtBirthDate = "Дата рождения";
inline constexpr std::string_view TxtZodiac = "Знак зодиака";
inline constexpr std::string_view TxtElement = "Стихия";
inline constexpr std::string_view TxtAge = "Возраст";
inline constexpr std::string_view TxtDaysLived = "Возраст (в днях)";
inline constexpr std::string_view TxtGoodDay = "Ближайший хороший день";
inline constexpr std::string_view TxtBadDay = "Ближайший плохой день";
inline constexpr std::string_view TxtDate = "Дата";
inline constexpr std::array<std::string_view, 5> TxtColumnNames{"Физ.", "Эмоц.", "Интел.", "Серд.",
                                                                "Среднее"};
inline constexpr std::string_view TxtCompatibility =
    "Совместимость пары (между датами рождения %s)";
inline constexpr std::string_view TxtNone = "—";

// The command line.
inline constexpr std::string_view TxtHelp =
    "Орванта — биоритмы пары.\n"
    "\n"
    "Использование:\n"
    "  orvanta                   открыть окно программы\n"
    "  orvanta report --man ГГГГ-ММ-ДД --woman ГГГГ-ММ-ДД [параметры]\n"
    "                            вывести отчёт о биоритмах пары, без окна\n"
    "  orvanta --help            эта справка\n"
    "  orvanta --version         версия программы\n"
    "\n"
    "Параметры отчёта:\n"
    "  --man ГГГГ-ММ-ДД          дата рождения мужчины\n"
    "  --woman ГГГГ-ММ-ДД        дата рождения женщины\n"
    "  --date ГГГГ-ММ-ДД         дата прогноза; без него сегодняшняя\n"
    "  --days N                  N дней (1..36525) с даты прогноза; без него месяц\n"
    "                            прогноза и следующий, как на графиках\n"
    "  --format text|json|csv    вид отчёта: текст (по умолчанию), JSON или таблица CSV\n"
    "  --ics ФАЙЛ                записать ещё календарь iCalendar: критические, особо\n"
    "                            неблагоприятные, хорошие и плохие дни обоих за месяцы\n"
    "                            графиков и 12 месяцев после них\n"
    "  --cycles P,E,I,H          циклы для среднего, хороших и плохих дней и средней\n"
    "                            совместимости: P физический, E эмоциональный,\n"
    "                            I интеллектуальный, H сердечный; без него циклы из\n"
    "                            файла настроек, как в окне\n"
    "\n"
    "Отчёт: знак зодиака, стихия, возраст, прожитые дни, ближайшие хороший и плохой\n"
    "дни каждого, значения циклов и среднего по дням в процентах и совместимость\n"
    "пары по циклам. Даты в JSON и CSV — ГГГГ-ММ-ДД.\n"
    "\n"
    "Код выхода: 0 — готово, 1 — не удалось записать, 2 — неверные аргументы.\n";
inline constexpr std::string_view TxtErrorPrefix = "orvanta: ";
inline constexpr std::string_view TxtErrorHint = "Справка: orvanta --help";
inline constexpr std::string_view TxtUnknownCommand = "неизвестная команда «%s»";
inline constexpr std::string_view TxtUnknownOption = "неизвестный параметр «%s»";
inline constexpr std::string_view TxtMissingValue = "у параметра «%s» нет значения";
inline constexpr std::string_view TxtRepeatedOption = "параметр «%s» задан больше одного раза";
inline constexpr std::string_view TxtMissingOption = "не задан параметр «%s»";
inline constexpr std::string_view TxtOptionWithoutCommand =
    "параметр «%s» относится к команде report";
inline constexpr std::string_view TxtExtraArgument = "лишний аргумент «%s»";
inline constexpr std::string_view TxtBadDate =
    "неверная дата «%s» у параметра «%s»: нужна дата ГГГГ-ММ-ДД с 0001-01-01 по 9999-12-31";
inline constexpr std::string_view TxtBadDays =
    "неверное число дней «%s»: нужно целое от 1 до 36525";
inline constexpr std::string_view TxtDaysPastCalendar = "дни отчёта выходят за 31 декабря 9999 г.";
inline constexpr std::string_view TxtBadFormat =
    "неверный вид отчёта «%s»: нужен text, json или csv";
inline constexpr std::string_view TxtBadCycles =
    "неверный список циклов «%s»: нужны буквы P, E, I, H через запятую, каждая не больше "
    "одного раза";
inline constexpr std::string_view TxtEmptyFileName = "пустое имя файла у параметра «--ics»";
inline constexpr std::string_view TxtNotAFile = "«%s» — не обычный файл: календарь не записан";
inline constexpr std::string_view TxtCannotWriteReport = "не могу вывести отчёт";
