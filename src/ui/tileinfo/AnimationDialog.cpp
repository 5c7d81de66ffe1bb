#include "ui/tileinfo/AnimationDialog.h"

#include "core/model/LenientInteger.h"
#include "core/tileinfo/TileAnimation.h"
#include "ui/tileinfo/AnimationPreviewView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessivar::ui {

namespace {

constexpr int kDialogWidth = 515;
constexpr int kDialogHeight = 365;
constexpr int kFieldWidth = 40;

int FieldNumber(const QLineEdit* field) {
    return ParseLenientInteger(field->text().toStdString());
}

QLineEdit* AddField(QHBoxLayout* bar, const QString& caption, const char* name,
                    const QString& text) {
    auto* label = new QLabel(caption);
    label->setMinimumWidth(label->sizeHint().width());
    bar->addWidget(label);
    auto* field = new QLineEdit(text);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(kFieldWidth);
    bar->addWidget(field);
    return field;
}

} // namespace

AnimationDialog::AnimationDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace)
    , prompts_(prompts) {
    setWindowTitle(tr("Animation"));
    setModal(false);
    setFixedSize(kDialogWidth, kDialogHeight);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(4);
    startField_ = AddField(bar, tr("Start #:"), "startField", QStringLiteral("0"));
    endField_ = AddField(bar, tr("End #:"), "endField", QStringLiteral("16"));
    delayField_ = AddField(bar, tr("Delay (ms):"), "delayField", QStringLiteral("100"));
    playButton_ = new QToolButton;
    playButton_->setObjectName(QStringLiteral("playButton"));
    playButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    stopButton_ = new QToolButton;
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    stopButton_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    bar->addWidget(playButton_);
    bar->addWidget(stopButton_);
    frameNumber_ = new QLabel(QStringLiteral("0"));
    frameNumber_->setObjectName(QStringLiteral("frameNumber"));
    frameNumber_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frameNumber_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    frameNumber_->setMinimumWidth(kFieldWidth);
    bar->addWidget(frameNumber_);
    applyButton_ = new QPushButton(tr("Apply"));
    applyButton_->setObjectName(QStringLiteral("applyButton"));
    applyButton_->setToolTip(tr("Apply animation to tiles"));
    applyButton_->setAutoDefault(false);
    bar->addWidget(applyButton_);
    bar->addStretch(1);
    layout->addLayout(bar);
    view_ = new AnimationPreviewView(workspace_);
    layout->addWidget(view_, 1);

    timer_ = new QTimer(this);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &AnimationDialog::Step);
    connect(playButton_, &QToolButton::clicked, this, &AnimationDialog::Play);
    connect(stopButton_, &QToolButton::clicked, this, &AnimationDialog::Stop);
    connect(applyButton_, &QPushButton::clicked, this, &AnimationDialog::Apply);
    workspace_.AddListener([this](unsigned changes) {
        if (changes & (TilesChanged | TileSetReshaped))
            view_->update();
    });
}

AnimationDialog::~AnimationDialog() = default;

void AnimationDialog::OpenFromSelection() {
    preview_.Open(workspace_.Editing.SelectionStart, workspace_.Editing.SelectionEnd);
    startField_->setText(QString::number(preview_.Start()));
    endField_->setText(QString::number(preview_.End()));
    ShowFrame();
    show();
    raise();
    activateWindow();
}

void AnimationDialog::Play() {
    preview_.Play(FieldNumber(startField_), FieldNumber(endField_), FieldNumber(delayField_));
    ShowFrame();
    if (preview_.Period() > 0)
        timer_->start(preview_.Period());
    else
        timer_->stop();
}

void AnimationDialog::Stop() {
    preview_.Stop();
    timer_->stop();
}

void AnimationDialog::Step() {
    // Each timeout stands for one period of the timer.
    if (preview_.Advance(timer_->interval(), workspace_.CurrentTileSet.TilesPerBlock()) > 0)
        ShowFrame();
}

void AnimationDialog::ShowFrame() {
    frameNumber_->setText(QString::number(preview_.Frame()));
    view_->SetFrame(preview_.Frame());
}

void AnimationDialog::Apply() {
    const auto applied = ApplyAnimation(workspace_.CurrentTileSet, preview_.Start(), preview_.End(),
                                        FieldNumber(delayField_));
    if (!applied)
        prompts_.ShowMessage(applied.error(), "Error");
    else
        workspace_.Apply(*applied);
}

void AnimationDialog::hideEvent(QHideEvent* event) {
    Stop();
    QDialog::hideEvent(event);
}

} // namespace tessivar::ui
