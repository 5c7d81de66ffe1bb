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

int fieldNumber(const QLineEdit* field) {
    return ParseLenientInteger(field->text().toStdString());
}

QLineEdit* addField(QHBoxLayout* bar, const QString& caption, const char* name,
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
    startField_ = addField(bar, tr("Start #:"), "startField", QStringLiteral("0"));
    endField_ = addField(bar, tr("End #:"), "endField", QStringLiteral("16"));
    delayField_ = addField(bar, tr("Delay (ms):"), "delayField", QStringLiteral("100"));
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
    connect(timer_, &QTimer::timeout, this, &AnimationDialog::step);
    connect(playButton_, &QToolButton::clicked, this, &AnimationDialog::play);
    connect(stopButton_, &QToolButton::clicked, this, &AnimationDialog::stop);
    connect(applyButton_, &QPushButton::clicked, this, &AnimationDialog::apply);
    workspace_.addListener([this](unsigned changes) {
        if (changes & (TilesChanged | TileSetReshaped))
            view_->update();
    });
}

AnimationDialog::~AnimationDialog() = default;

void AnimationDialog::openFromSelection() {
    preview_.open(workspace_.editing.SelectionStart, workspace_.editing.SelectionEnd);
    startField_->setText(QString::number(preview_.start()));
    endField_->setText(QString::number(preview_.end()));
    showFrame();
    show();
    raise();
    activateWindow();
}

void AnimationDialog::play() {
    preview_.play(fieldNumber(startField_), fieldNumber(endField_), fieldNumber(delayField_));
    showFrame();
    if (preview_.period() > 0)
        timer_->start(preview_.period());
    else
        timer_->stop();
}

void AnimationDialog::stop() {
    preview_.stop();
    timer_->stop();
}

void AnimationDialog::step() {
    // Each timeout stands for one period of the timer.
    if (preview_.advance(timer_->interval(), workspace_.tileSet.TilesPerBlock()) > 0)
        showFrame();
}

void AnimationDialog::showFrame() {
    frameNumber_->setText(QString::number(preview_.frame()));
    view_->setFrame(preview_.frame());
}

void AnimationDialog::apply() {
    const auto applied = ApplyAnimation(workspace_.tileSet, preview_.start(), preview_.end(),
                                        fieldNumber(delayField_));
    if (!applied)
        prompts_.showMessage(applied.error(), "Error");
    else
        workspace_.apply(*applied);
}

void AnimationDialog::hideEvent(QHideEvent* event) {
    stop();
    QDialog::hideEvent(event);
}

} // namespace tessivar::ui
