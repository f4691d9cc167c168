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

#include <functional>
#include <memory>
#include <optional>

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
    // As `orvanta`, or `orvanta --language <asked>`.
    void Start(std::optional<QString> asked = std::nullopt) {
        form = std::make_unique<TMainForm>();
        ProgramFolder = folder;
        form->SetSettingsForm(new TSettingsForm(form.get()));
        form->AskLanguage(std::move(asked));
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
