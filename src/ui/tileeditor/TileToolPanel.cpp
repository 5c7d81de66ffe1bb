#include "ui/tileeditor/TileToolPanel.h"

#include "ui/common/ToolButtons.h"

#include <QButtonGroup>
#include <QCursor>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace tessivar::ui {

namespace {

constexpr ToolButtonSpec kToolButtons[] = {
    {static_cast<int>(DrawingTool::Pen), ToolPicture::Pen, "Single Pixel", "penTool"},
    {static_cast<int>(DrawingTool::Fill), ToolPicture::Fill, "Fill", "fillTool"},
    {static_cast<int>(DrawingTool::Rectangle), ToolPicture::Rectangle, "Rectangle",
     "rectangleTool"},
    {static_cast<int>(DrawingTool::Line), ToolPicture::Line, "Line", "lineTool"},
};

struct TransformButtonInfo {
    BlockTransform Transform;
    ToolPicture Picture;
    const char* Hint;
    const char* ObjectName;
};

constexpr TransformButtonInfo kTransformButtons[] = {
    {BlockTransform::ShiftLeft, ToolPicture::ShiftLeft, "Shift Left", "shiftLeftButton"},
    {BlockTransform::ShiftUp, ToolPicture::ShiftUp, "Shift Up", "shiftUpButton"},
    {BlockTransform::ShiftDown, ToolPicture::ShiftDown, "Shift Down", "shiftDownButton"},
    {BlockTransform::ShiftRight, ToolPicture::ShiftRight, "Shift Right", "shiftRightButton"},
    {BlockTransform::FlipHorizontal, ToolPicture::FlipHorizontal, "Flip Horizontal",
     "flipHorizontalButton"},
    {BlockTransform::FlipVertical, ToolPicture::FlipVertical, "Flip Vertical",
     "flipVerticalButton"},
    {BlockTransform::RotateRight, ToolPicture::RotateRight, "Rotate Right", "rotateRightButton"},
};

} // namespace

TileToolPanel::TileToolPanel(TileStroke& stroke, QWidget* parent)
    : QWidget(parent)
    , stroke_(stroke) {
    setObjectName(QStringLiteral("toolPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    BuildRectangleMenu();
    BuildToolButtons();
    BuildTransformButtons();
}

QAbstractButton* TileToolPanel::ToolButton(DrawingTool tool) const {
    return tools_->button(static_cast<int>(tool));
}

void TileToolPanel::BuildToolButtons() {
    auto* grid = static_cast<QGridLayout*>(layout());
    int column = 0;
    tools_ = MakeToolGroup(kToolButtons, this,
                           [grid, &column](QToolButton* b) { grid->addWidget(b, 0, column++); });
    // A click on a button that is already down still opens the rectangle pop-up.
    connect(tools_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseTool(static_cast<DrawingTool>(id)); });

    animationButton_ = new QPushButton;
    animationButton_->setObjectName(QStringLiteral("animationButton"));
    animationButton_->setIcon(ToolIcon(ToolPicture::Animation));
    animationButton_->setFixedHeight(kToolButtonSide);
    connect(animationButton_, &QPushButton::clicked, this, &TileToolPanel::AnimationRequested);
    grid->addWidget(animationButton_, 0, column, 1, 3);
}

void TileToolPanel::BuildTransformButtons() {
    auto* grid = static_cast<QGridLayout*>(layout());
    int column = 0;
    for (const TransformButtonInfo& info : kTransformButtons) {
        QToolButton* button = MakeToolButton(info.Picture, info.Hint, info.ObjectName, false);
        const BlockTransform transform = info.Transform;
        connect(button, &QToolButton::clicked, this,
                [this, transform] { Q_EMIT TransformRequested(transform); });
        grid->addWidget(button, 1, column++);
    }
}

void TileToolPanel::BuildRectangleMenu() {
    rectangleMenu_ =
        MakeRectangleMenu(this, [this](RectangleMode mode) { ChooseRectangleMode(mode); });
    // However the pop-up closes, the first panel names the tool in use.
    connect(rectangleMenu_, &QMenu::aboutToHide, this,
            [this] { Q_EMIT ToolStatusChanged(QString::fromStdString(stroke_.ToolStatusText())); });
}

void TileToolPanel::ChooseTool(DrawingTool tool) {
    stroke_.SetTool(tool);
    Q_EMIT ToolStatusChanged(QString::fromStdString(stroke_.ToolStatusText()));
    if (tool == DrawingTool::Rectangle)
        rectangleMenu_->popup(QCursor::pos());
}

void TileToolPanel::ChooseRectangleMode(RectangleMode mode) {
    stroke_.SetRectangleMode(mode);
    Q_EMIT ToolStatusChanged(QString::fromStdString(stroke_.ToolStatusText()));
}

} // namespace tessivar::ui
