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
    BlockTransform transform;
    ToolPicture picture;
    const char* hint;
    const char* objectName;
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

TileToolPanel::TileToolPanel(CanvasStroke& stroke, QWidget* parent)
    : QWidget(parent)
    , stroke_(stroke) {
    setObjectName(QStringLiteral("toolPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    buildRectangleMenu();
    buildToolButtons();
    buildTransformButtons();
}

QAbstractButton* TileToolPanel::toolButton(DrawingTool tool) const {
    return tools_->button(static_cast<int>(tool));
}

void TileToolPanel::buildToolButtons() {
    auto* grid = static_cast<QGridLayout*>(layout());
    int column = 0;
    tools_ = makeToolGroup(kToolButtons, this,
                           [grid, &column](QToolButton* b) { grid->addWidget(b, 0, column++); });
    // A click on a button that is already down still opens the rectangle pop-up.
    connect(tools_, &QButtonGroup::idClicked, this,
            [this](int id) { chooseTool(static_cast<DrawingTool>(id)); });

    animationButton_ = new QPushButton;
    animationButton_->setObjectName(QStringLiteral("animationButton"));
    animationButton_->setIcon(toolIcon(ToolPicture::Animation));
    animationButton_->setFixedHeight(kToolButtonSide);
    connect(animationButton_, &QPushButton::clicked, this, &TileToolPanel::animationRequested);
    grid->addWidget(animationButton_, 0, column, 1, 3);
}

void TileToolPanel::buildTransformButtons() {
    auto* grid = static_cast<QGridLayout*>(layout());
    int column = 0;
    for (const TransformButtonInfo& info : kTransformButtons) {
        QToolButton* button = makeToolButton(info.picture, info.hint, info.objectName, false);
        const BlockTransform transform = info.transform;
        connect(button, &QToolButton::clicked, this,
                [this, transform] { Q_EMIT transformRequested(transform); });
        grid->addWidget(button, 1, column++);
    }
}

void TileToolPanel::buildRectangleMenu() {
    rectangleMenu_ =
        makeRectangleMenu(this, [this](RectangleMode mode) { chooseRectangleMode(mode); });
    // However the pop-up closes, the first panel names the tool in use.
    connect(rectangleMenu_, &QMenu::aboutToHide, this,
            [this] { Q_EMIT toolStatusChanged(QString::fromStdString(stroke_.toolStatusText())); });
}

void TileToolPanel::chooseTool(DrawingTool tool) {
    stroke_.setTool(tool);
    Q_EMIT toolStatusChanged(QString::fromStdString(stroke_.toolStatusText()));
    if (tool == DrawingTool::Rectangle)
        rectangleMenu_->popup(QCursor::pos());
}

void TileToolPanel::chooseRectangleMode(RectangleMode mode) {
    stroke_.setRectangleMode(mode);
    Q_EMIT toolStatusChanged(QString::fromStdString(stroke_.toolStatusText()));
}

} // namespace tessivar::ui
