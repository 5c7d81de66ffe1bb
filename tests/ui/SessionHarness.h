#pragma once

#include "../common/ScriptedPrompts.h"

#include "ui/app/EditorSession.h"
#include "ui/tileeditor/TileEditorWindow.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/workspace/Workspace.h"

#include <memory>

using tessivar::testing::ScriptedPrompts;

// Shown texts as "caption: text", one string each, for QCOMPARE.
inline QStringList Texts(const std::vector<tessivar::testing::ShownText>& shown) {
    QStringList texts;
    for (const auto& s : shown)
        texts << QString::fromStdString(s.caption + ": " + s.text);
    return texts;
}

// Points the settings store at a scratch folder, so no test touches the user's settings.
inline void IsolateSettings(const QTemporaryDir& folder) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

// A fresh editor session with fresh scripted answers, started without a file; true once
// its main window is on screen.
inline bool StartSession(ScriptedPrompts& prompts,
                         std::unique_ptr<tessivar::ui::EditorSession>& session) {
    prompts = ScriptedPrompts();
    session = std::make_unique<tessivar::ui::EditorSession>(prompts);
    session->start("");
    return QTest::qWaitForWindowExposed(&session->tileEditor());
}

// What every widget test of the editor holds: a scratch settings folder, the scripted
// answers and the session under test. Test classes derive from it beside QObject.
class SessionTestBase {
protected:
    QTemporaryDir settingsDir_;
    ScriptedPrompts prompts_;
    std::unique_ptr<tessivar::ui::EditorSession> session_;

    tessivar::ui::TileEditorWindow& window() { return session_->tileEditor(); }
    tessivar::Workspace& workspace() { return session_->workspace(); }
};
