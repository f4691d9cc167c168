#pragma once

#include "base/SettingsCodec.h"
#include "main/MainUnit.h"
#include "main/SettingsFile.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"
#include "tests/QtTestSupport.h"
#include "tests/TestSupport.h"
#include "widgets/ErrorBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The program started as for a user, in a program folder of its own for every test (with the
// settings file and an empty language folder), with error boxes collected instead of shown.
class TProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        // A home of the test's own: ctest runs tests side by side, and the per-user settings
        // folder below the home must not be one that another test empties meanwhile.
        home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(dir.path() + QStringLiteral("/home")));
        ResetDisplaySettings();
        MonthNames.Clear();
        ZodiacNames.Clear();
        ElementNames.Clear();
        ChartCaptionFormat.clear();
        SetErrorBoxHandler([this](const QString& text) { errors << text; });
        folder = dir.path() + QLatin1Char('/');
        settingsPath =
            folder +
            QString::fromStdString(SettingsFileName(
                QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString()));
        QDir(folder).mkdir(QStringLiteral("Language"));
        writable = FolderWritable;
        regional = RegionalShortDateFormat;
    }
    void TearDown() override {
        form.reset();
        FolderWritable = writable;
        RegionalShortDateFormat = regional;
        qputenv("HOME", home);
        SetErrorBoxHandler({});
        ResetDisplaySettings();
    }

    static void Write(const QString& path, const QByteArray& bytes) { WriteFile(path, bytes); }
    QByteArray Stored() const { return ReadFile(settingsPath); }

    // Starts the program as far as its first show.
    void Start() {
        form = std::make_unique<TMainForm>();
        ProgramFolder = folder;
        form->SetSettingsForm(new TSettingsForm(form.get()));
        form->show();
    }

    void WriteLanguage(const QString& name, const QByteArray& bytes) {
        Write(folder + QStringLiteral("Language/") + name, bytes);
    }
    QStringList LanguageItems() const {
        QStringList items;
        for (QAction* item : Find<QMenu>("miLanguage")->actions())
            items << item->text();
        return items;
    }
    // Chooses a language from the "Language" menu.
    void Choose(const QString& language) {
        for (QAction* item : Find<QMenu>("miLanguage")->actions())
            if (item->text() == language) {
                item->trigger();
                return;
            }
        ADD_FAILURE() << "no item " << language.toStdString();
    }

    template <typename T> T* Find(const char* name) const { return Child<T>(form.get(), name); }

    QTemporaryDir dir;
    QString folder;
    QString settingsPath;
    std::unique_ptr<TMainForm> form;
    QStringList errors;

private:
    std::function<bool(const QString&)> writable;
    std::function<QString()> regional;
    QByteArray home;
};

inline bool IsFifo(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Answers every FIFO of the list that a reader has opened, and remembers it: the reader can go
// on (so a fault fails the test instead of hanging it), and the test knows it was opened.
class TFifoWatch {
public:
    explicit TFifoWatch(QStringList fifos)
        : fifos_(std::move(fifos)), thread_([this] {
              while (!stop_) {
                  for (const QString& fifo : fifos_) {
                      if (!IsFifo(fifo))
                          continue;
                      const int end =
                          ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                      if (end >= 0) {
                          opened_ = true;
                          ::close(end);
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~TFifoWatch() {
        stop_ = true;
        thread_.join();
    }
    bool Opened() const { return opened_; }

private:
    QStringList fifos_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> opened_ = false;
    std::thread thread_;
};
