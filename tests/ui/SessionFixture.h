#pragma once

// The one fixture of the widget tests: a scratch settings folder, the scripted answers and
// a fresh editor session for every test function. Test classes derive from SessionTest
// and list their tests as private slots; a class that needs more set-up declares its own
// init() and calls SessionTest::init() first.

#include "../common/ScriptedPrompts.h"

#include "core/workspace/Workspace.h"
#include "ui/app/EditorSession.h"
#include "ui/tileeditor/TileEditorWindow.h"

#include <QObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tessivar::testing::ScriptedPrompts;

// Shown texts as "caption: text", one string each, for QCOMPARE.
inline QStringList Texts(const std::vector<tessivar::testing::ShownText>& shown) {
    QStringList texts;
    for (const auto& s : shown)
        texts << QString::fromStdString(s.caption + ": " + s.text);
    return texts;
}

class SessionTest : public QObject {
    Q_OBJECT

protected:
    QTemporaryDir settingsDir_;
    ScriptedPrompts prompts_;
    std::unique_ptr<tessivar::ui::EditorSession> session_;

    tessivar::ui::TileEditorWindow& window() { return session_->TileEditor(); }
    tessivar::Workspace& workspace() { return session_->Documents(); }
    static QSettings storedSettings() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brennow"),
                         QStringLiteral("Tessivar (TI)"));
    }
    // A fresh session with fresh scripted answers, started without a file.
    void restart() {
        session_.reset();
        prompts_ = ScriptedPrompts();
        session_ = std::make_unique<tessivar::ui::EditorSession>(prompts_);
        session_->Start("");
        QVERIFY(QTest::qWaitForWindowExposed(&session_->TileEditor()));
    }

protected Q_SLOTS:
    // The settings store points at the scratch folder, so no test touches the user's.
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }
    void init() {
        storedSettings().clear();
        restart();
    }
    void cleanup() { session_.reset(); }
};

// Runs each test class given, in order, as one program; fails when any of them fails.
#define SESSION_TEST_MAIN(...)                                                                     \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        int failed = 0;                                                                            \
        for (QObject * test : std::initializer_list<QObject*>{__VA_ARGS__}) {                      \
            failed += QTest::qExec(test, argc, argv);                                              \
            delete test;                                                                           \
        }                                                                                          \
        return failed;                                                                             \
    }
