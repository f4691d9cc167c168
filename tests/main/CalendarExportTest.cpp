#include "main/CalendarExport.h"
#include "ProgramFixture.h"
#include "tests/report/IcalSupport.h"

#include "base/Vocabulary.h"
#include "model/Error.h"
#include "tests/main/DetailReportLines.h"

#include <QAction>
#include <QDateEdit>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

namespace {

class CalendarExportTest : public TProgramFixture {
protected:
    void SetUp() override {
        TProgramFixture::SetUp();
        Start(); // the birth dates are the defaults
        Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2009, 1, 5));
    }

    TParsedCalendar Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return ParseCalendar(file.readAll().toStdString());
    }
};

std::string Kind(const TParsedEvent& event) {
    return event.Uid.substr(0, event.Uid.find('-'));
}

} // namespace

TEST_F(CalendarExportTest, TheDaysOfTheDetailReportForThePersonsShown) {
    const QString path = folder + QStringLiteral("days.ics");
    const char* cycles[] = {"Физический", "Эмоциональный", "Интеллектуальный", "Сердечный"};
    const char* words[] = {"физический", "эмоциональный", "интеллектуальный", "сердечный"};
    for (const int mode : {2, 1, 0}) {
        DisplaySettings.SetDisplayMode(mode);
        ExportCalendar(path, 3, mode, "Аня и Петя");
        const TParsedCalendar calendar = Read(path);
        EXPECT_EQ(calendar.Errors, 0);
        EXPECT_EQ(calendar.Name, "Орванта: критические дни — Аня и Петя");
        std::map<std::string, int> persons;
        for (const bool man : {true, false}) {
            const std::string who = man ? "-man-" : "-woman-";
            const bool shown = mode == 0 || (mode == 2) == man;
            // The critical days of the detail report's lists: a line for each cycle.
            std::map<QString, std::set<int>> reportDays;
            for (const QString& line : DetailReportLines(man))
                for (int i = 0; i < 4; ++i)
                    if (line.startsWith(QString::fromUtf8(cycles[i]) + ": ") && !line.contains('%'))
                        for (const QString& day : line.mid(line.indexOf(' ') + 1).split(", "))
                            reportDays[day].insert(i);
            const TDatalogging& person = man ? Prognose.Man : Prognose.Woman;
            bool goodDay = false;
            bool badDay = false;
            int events = 0;
            for (const TParsedEvent& event : calendar.Events) {
                if (event.Uid.find(who) == std::string::npos)
                    continue;
                ++events;
                // January to May 2009: the charted months and three more.
                EXPECT_GE(event.First, *EncodeDate(2009, 1, 1));
                EXPECT_LE(event.Last, *EncodeDate(2009, 5, 31));
                goodDay = goodDay || (Kind(event) == "good" && event.First == person.GoodDay);
                badDay = badDay || (Kind(event) == "bad" && event.First == person.BadDay);
                if (Kind(event) != "critical" || event.First > *EncodeDate(2009, 2, 28))
                    continue;
                const QString day = QString::fromStdString(LongDateText(event.First));
                const auto found = reportDays.find(day);
                ASSERT_NE(found, reportDays.end()) << day.toStdString();
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(event.Summary.find(words[i]) != std::string::npos,
                              found->second.contains(i))
                        << event.Summary;
                reportDays.erase(found);
            }
            SCOPED_TRACE(std::to_string(mode) + who);
            EXPECT_EQ(events > 0, shown);
            if (shown) {
                EXPECT_TRUE(reportDays.empty());
                EXPECT_TRUE(goodDay);
                EXPECT_TRUE(badDay);
            }
        }
    }
}

TEST_F(CalendarExportTest, TheCommandAsksAndRefusesWhatIsNoFile) {
    QStringList files;
    for (QAction* item : Find<QMenu>("miFile")->actions())
        files << item->text();
    EXPECT_TRUE(files.contains("Экспорт в календарь..."));

    // The months dialog, then the file dialog; the extension is added.
    const QString path = folder + QStringLiteral("export");
    bool asked = false;
    OnModal(form.get(), [&](QWidget* modal) {
        auto* months = modal->findChild<QSpinBox*>(QStringLiteral("seMonthsAfter"));
        ASSERT_NE(months, nullptr);
        EXPECT_EQ(months->value(), 12);
        EXPECT_EQ(months->maximum(), 120);
        months->setValue(0);
        static_cast<QDialog*>(modal)->accept();
        OnModal(form.get(), [&](QWidget* next) {
            auto* chooser = qobject_cast<QFileDialog*>(next);
            ASSERT_NE(chooser, nullptr);
            asked = true;
            // The program's save dialog, as every save has: Qt's own, the question its own.
            EXPECT_EQ(chooser->objectName(), "SaveDialog");
            EXPECT_TRUE(chooser->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_TRUE(chooser->testOption(QFileDialog::DontConfirmOverwrite));
            TypeFileName(chooser, path);
            static_cast<QDialog*>(chooser)->accept();
        });
    });
    Find<QAction>("actExportCalendar")->trigger();
    EXPECT_TRUE(asked);
    const TParsedCalendar calendar = Read(path + QStringLiteral(".ics"));
    EXPECT_EQ(calendar.Errors, 0);
    ASSERT_FALSE(calendar.Events.empty());
    for (const TParsedEvent& event : calendar.Events)
        EXPECT_LE(event.Last, *EncodeDate(2009, 2, 28));
    EXPECT_TRUE(errors.isEmpty());

    // The same name again: the program asks in its words, and "Нет" keeps the file.
    const QByteArray written = ReadFile(path + QStringLiteral(".ics"));
    TBoxSeen question;
    OnModal(form.get(), [&](QWidget* modal) {
        static_cast<QDialog*>(modal)->accept();
        OnModal(form.get(), [&](QWidget* next) {
            auto* chooser = qobject_cast<QFileDialog*>(next);
            ASSERT_NE(chooser, nullptr);
            TypeFileName(chooser, path);
            AnswerNextBox(form.get(), QStringLiteral("Нет"), question);
            static_cast<QDialog*>(chooser)->accept();
        });
    });
    Find<QAction>("actExportCalendar")->trigger();
    EXPECT_EQ(question.text, "Файл «export.ics» уже существует. Заменить его?");
    EXPECT_EQ(question.defaultButton, "Нет");
    EXPECT_EQ(ReadFile(path + QStringLiteral(".ics")), written);

    // Nobody on the charts: it says so and writes nothing.
    DisplaySettings.SetDisplayMode(-1);
    QString said;
    OnModal(form.get(), [&](QWidget* modal) {
        said = static_cast<QMessageBox*>(modal)->text();
        static_cast<QDialog*>(modal)->reject();
    });
    Find<QAction>("actExportCalendar")->trigger();
    EXPECT_EQ(said, "На графиках никто не показан: экспортировать нечего.");

    // A FIFO or a folder under the name: refused at once, never waited on.
    const QString fifo = folder + QStringLiteral("fifo.ics");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& name : {fifo, folder + QStringLiteral("Language")}) {
        try {
            ExportCalendar(name, 12, DisplaySettings.DisplayMode(), {});
            ADD_FAILURE() << name.toStdString();
        } catch (const EProgramError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      "Не могу создать файл \"" + name + "\". Это не обычный файл");
        }
    }
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}
