// The cover designer's page on screen: draws the page, its grid and objects
// and the selection frame, and turns the mouse and keys into edits of the
// design page. The designer window puts it in a scroll area, owns the tool
// buttons and the page's change event, and calls Refresh() whenever the page
// changed by other means than the panel (loading, zoom, undo).
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "cover/DesignPage.h"
#include "cover/GHandle.h"
#include "ui/CommandGuard.h"
#include "ui/CoverCommands.h"

class QMenu;

namespace vl::ui {

class FaxCoverPanel : public QWidget {
    Q_OBJECT

public:
    // Keys the window handles: scrolling and zooming.
    enum class WindowKey { LineUp, LineDown, Top, Bottom, ZoomIn, ZoomOut };
    Q_ENUM(WindowKey)

    // A press released sooner than this without moving is only a click.
    static constexpr int kQuickClickMs = 150;

    FaxCoverPanel(cover::DesignPage& page, std::string clipboardFile, QWidget* parent = nullptr);

    cover::PanelState PanelState() const { return state_; }
    void SetPanelState(cover::PanelState state);
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool show);
    bool SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool snap);
    // 4 or 8 pixels.
    int GridSize() const { return gridSize_; }
    void SetGridSize(int size);
    // The page border drawn dotted.
    bool DrawOutline() const { return drawOutline_; }
    void SetDrawOutline(bool draw);

    void SetDefaultFont(const cover::CoverFont& font) { commands_.SetDefaultFont(font); }
    const cover::CoverFont& DefaultFont() const { return commands_.DefaultFont(); }

    // The menus' and keys' commands; the window uses them for the dialogs
    // a placed text or symbol opens, tests to replace the dialogs.
    CoverCommands& Commands() { return commands_; }
    // Shows a pop-up menu at a global position; QMenu::exec unless a test
    // answers instead.
    using MenuRunner = std::function<void(QMenu& menu, const QPoint& at)>;
    void SetMenuRunner(MenuRunner run) { runMenu_ = std::move(run); }

    // Sizes the panel to the page, repaints, and reports a changed
    // selection.
    void Refresh();

signals:
    // A placing tool put this object on the page.
    void ObjectDropped(cover::GraphicControl* object);
    void SelectionChanged();
    void WindowKeyPressed(vl::ui::FaxCoverPanel::WindowKey key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Band, Frame, Place };

    void Command(const std::function<void()>& command);
    void PaintSelection(QPainter& painter) const;
    void PaintRubberBand(QPainter& painter) const;
    bool OnFrame(const QPoint& at) const;
    void LeftPress(const QPoint& at, bool shift);
    void StartFrameDrag(cover::FrameZone zone);
    void RightPress(const QPoint& at, bool shift, const QPoint& global);
    void FinishDrag(Drag drag, bool shift, bool quick);
    void OpenObjectMenu(cover::GraphicControl& object, const QPoint& global);
    void OpenPageMenu(const QPoint& global);
    bool WindowKeyFor(const QKeyEvent& event);
    bool ArrowPressed(int key, bool shift);
    void UpdateCursor();

    cover::DesignPage& page_;
    CoverCommands commands_;
    cover::GHandle handle_;
    cover::PanelState state_ = cover::PanelState::Pointing;
    bool showGrid_ = false;
    bool snapToGrid_ = false;
    int gridSize_ = 4;
    bool drawOutline_ = true;
    MenuRunner runMenu_;
    std::vector<cover::GraphicControl*> shownSelection_;

    Drag drag_ = Drag::None;
    QPoint pressAt_;
    QPoint pointer_;
    // Event time stamps, so that a replayed press keeps its timing.
    quint64 pressTime_ = 0;
    cover::FrameZone zone_ = cover::FrameZone::Move;
    cover::DesignRect frameStart_;
    cover::DesignRect frameNow_;
    // The keyboard rectangle while arrow keys are held.
    bool keyMoving_ = false;
    cover::DesignRect keyStart_;
    cover::DesignRect keyRect_;

    CommandGuard guard_{*this, [this] { Refresh(); }};
};

}  // namespace vl::ui
