#pragma once

#include "core/tileinfo/AnimationPreview.h"
#include "core/workspace/Workspace.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace tessivar::ui {

class AnimationPreviewView;

// "Animation": previews a run of Tiles as an animation and, with "Apply", writes the run
// into the built-in categories as a loop. Modeless; its fields and state are kept
// between openings.
class AnimationDialog : public QDialog {
    Q_OBJECT

public:
    AnimationDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);
    ~AnimationDialog() override;

    // The tile editor's animation button: the run is the tile list's selection.
    void OpenFromSelection();

    const AnimationPreview& Preview() const { return preview_; }
    QLineEdit* StartField() const { return startField_; }
    QLineEdit* EndField() const { return endField_; }
    QLineEdit* DelayField() const { return delayField_; }
    QLabel* FrameNumber() const { return frameNumber_; }
    QToolButton* PlayButton() const { return playButton_; }
    QPushButton* ApplyButton() const { return applyButton_; }
    QTimer* Timer() const { return timer_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void Play();
    void Stop();
    void Apply();
    void Step();
    void ShowFrame();

    Workspace& workspace_;
    UserPrompts& prompts_;
    AnimationPreview preview_;
    QLineEdit* startField_ = nullptr;
    QLineEdit* endField_ = nullptr;
    QLineEdit* delayField_ = nullptr;
    QToolButton* playButton_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QLabel* frameNumber_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    AnimationPreviewView* view_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace tessivar::ui
