// The page the cover designer edits: its objects in z-order, the selection,
// the zoom, and every edit the designer's tools, menus and keys make, each of
// which can be undone. Coordinates are the page's current pixels: at zoom z
// the page is round(768 z) x round(960 z) and every object's bounds are
// scaled with it. The window only turns mouse, keys and menus into these
// calls and draws what the page holds.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cover/CoverFieldType.h"
#include "cover/CoverFont.h"
#include "cover/CoverObjects.h"
#include "cover/DesignHistory.h"
#include "cover/DesignRect.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "cover/TemplateFiles.h"

namespace vl::cover {

// The active tool: the selection tool, or the kind of object a drag places.
enum class PanelState {
    Pointing = 0,
    Label,
    SymbolLabel,
    Rectangle,
    Ellipse,
    RoundRectangle,
    Line,
    Message,
    Importance,
    Field,
};

enum class AlignEdge { Left, Right, Tops, Bottoms };

class DesignPage {
public:
    static constexpr int kPageWidth = 768;
    static constexpr int kPageHeight = 960;
    // A second paste this soon after the last one is taken for a repeated
    // key and ignored.
    static constexpr std::int64_t kPasteRepeatMs = 1000;
    // Pasted objects land this far right of and below the copied ones; a
    // clone this far below its source.
    static constexpr int kPasteOffset = 15;
    static constexpr int kCloneOffset = 25;

    DesignPage();
    ~DesignPage();
    DesignPage(const DesignPage&) = delete;
    DesignPage& operator=(const DesignPage&) = delete;

    // Runs after every change to the objects (not after selection or zoom
    // changes).
    void SetChangeEvent(std::function<void()> changed) { changed_ = std::move(changed); }

    const CoverObjects& Objects() const { return objects_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // --- Loading and saving -------------------------------------------

    // Empties the page and the undo history.
    void Clear();
    // Empties the page and reads a design file into it at the current zoom.
    // The objects before any damage stay; the answer is the reader's code.
    // The undo history starts afresh.
    int Load(std::span<const std::uint8_t> designFile);
    // Clears the selection, deletes every object lying off the page (top
    // beyond height - 10, left beyond width - 10, or width or height below
    // 1), and writes the template's files at zoom 1 (the zoom is restored
    // after). Answers 0 or the first file's error.
    int Save(const TemplateFiles& files, std::string_view description, int screenDpi, const std::tm& when);

    // --- Selection ------------------------------------------------------

    const std::vector<GraphicControl*>& Selection() const { return selection_; }
    bool IsSelected(const GraphicControl* object) const;
    // The union of the selected objects' bounds; empty without a selection.
    DesignRect FrameBounds() const;
    // The top-most object whose bounds hold the point, unselectable ones
    // included; nullptr over the empty page.
    GraphicControl* ObjectAt(int x, int y) const;

    // A click on an object: alone it selects only the object; with Shift it
    // adds the object, or removes it when it is already selected.
    // Unselectable objects are never added.
    void Click(GraphicControl* object, bool shift);
    // A band released: selects every selectable object whose bounds share a
    // pixel with the band; with Shift each of them toggles instead.
    void SelectBand(const DesignRect& band, bool shift);
    void SelectAll();
    void ClearSelection();

    // --- Placing and moving ---------------------------------------------

    // The object of `tool` in the dragged rectangle (widened to 50 when
    // narrower than 25, raised to 15 when lower than 15), named "Special" and
    // the smallest free number, in the default font where the tool has text,
    // fields, importance lines and symbols fitted. nullptr for Pointing.
    GraphicControl* Place(PanelState tool, const DesignRect& dragged, const CoverFont& defaultFont);

    // The selection frame moved from `from` to `to`: every selected object
    // that is not locked moves by the offset and grows by the size change.
    void ApplyFrame(const DesignRect& from, const DesignRect& to);

    // --- Commands on a list of objects (the selection, or the object whose
    // own menu was used) ---------------------------------------------------

    void BringToFront(const std::vector<GraphicControl*>& targets);
    // Also clears the selection.
    void SendToBack(const std::vector<GraphicControl*>& targets);
    void Align(const std::vector<GraphicControl*>& targets, AlignEdge edge);
    // Each object on its own, halves rounded toward zero.
    void CenterVertically(const std::vector<GraphicControl*>& targets);
    void CenterHorizontally(const std::vector<GraphicControl*>& targets);
    // Last first; the deleted objects leave the selection.
    void Delete(const std::vector<GraphicControl*>& targets);
    // The font given to every text object among them except symbols, colour
    // reduced to black or white, nothing fitted.
    void SetFont(const std::vector<GraphicControl*>& targets, const CoverFont& font);

    // The clipboard file: the objects as a design file. Answers 0 or the
    // negative I/O code of the write.
    int Copy(const std::vector<GraphicControl*>& targets, const std::string& clipboardFile) const;
    int Cut(const std::vector<GraphicControl*>& targets, const std::string& clipboardFile);
    // Adds the clipboard's objects kPasteOffset right of and below where
    // they were copied, named "Component" and a free number. Ignored (0)
    // within kPasteRepeatMs of the last paste; nowMs is a steady clock.
    int Paste(const std::string& clipboardFile, std::int64_t nowMs);

    // --- Commands on all objects ---------------------------------------

    void SetAllLocked(bool locked);
    // Unselectable objects also leave the selection.
    void SetAllUnselectable(bool unselectable);

    // --- One object's own menu ----------------------------------------

    void ToggleLocked(GraphicControl* object);
    // Also removes it from the selection.
    void MakeUnselectable(GraphicControl* object);
    // A copy through the design-file format, kCloneOffset lower, on top, and
    // selected in place of the source. Answers the copy.
    GraphicControl* Clone(GraphicControl* object);
    // Labels, fields and importance lines are fitted after a caption or font
    // change; the font's colour is reduced to black or white.
    void SetCaption(GraphicControl* label, std::string caption);
    void SetObjectFont(GraphicControl* text, const CoverFont& font);
    // The symbol's font and character (32..255, as a Windows-1252 code),
    // fitted.
    void SetSymbol(GraphicControl* symbol, const CoverFont& font, int code);
    void SetFieldType(GraphicControl* field, CoverFieldType type);
    void SetLineStyle(GraphicControl* line, LineStyle style);
    // Shapes and lines; 1..10.
    void SetPenWidth(GraphicControl* object, int width);
    void SetFill(GraphicControl* shape, ShapeFillType fill);
    void SetRounding(GraphicControl* shape, int percent);
    // A horizontal line across the page, a vertical one from top to bottom;
    // sloping lines stay as they are.
    void StretchToEdges(GraphicControl* line);

    // --- Zoom ------------------------------------------------------------

    float Zoom() const;
    // Up by 0.1 while the zoom is at most 1.5, down by 0.1 while it is at
    // least 0.5; false (nothing changed) at the limits. A change clears the
    // selection and scales the page and every object.
    bool ZoomIn();
    bool ZoomOut();
    // "100%": round(zoom x 100) and a percent sign.
    std::string ZoomLabel() const;

    // --- Undo -------------------------------------------------------------

    bool CanUndo() const;
    bool CanRedo() const;
    // Puts the objects back as they were before the last edit (or after the
    // last undone one); the selection is cleared. False when there is none.
    // The objects put back are copies: pointers to the page's objects taken
    // before are no longer valid.
    bool Undo();
    bool Redo();

private:
    // Runs one edit of the objects: when it changed anything, the objects as
    // they were become an undo step and the change event fires.
    void Edit(const std::function<void()>& change);
    void Changed() const;
    // After the objects were replaced whole: each at the page's zoom, nothing
    // selected.
    void Replaced();
    bool ZoomTo(int tenths);
    // Gives the objects from `first` on the page's zoom: scaled from the zoom
    // they have, or (without `scale`) taken as being in the page's pixels.
    void TakeZoom(std::size_t first, bool scale);
    // objects_.size() when the object is not on the page.
    std::size_t IndexOf(const GraphicControl* object) const;
    bool Holds(const GraphicControl* object) const { return IndexOf(object) < objects_.size(); }
    // The targets that are on the page, each once, in the order given.
    std::vector<GraphicControl*> OnPage(const std::vector<GraphicControl*>& targets) const;
    void Deselect(const GraphicControl* object);

    DesignHistory history_;
    CoverObjects objects_;
    std::vector<GraphicControl*> selection_;
    int zoomTenths_ = 10;
    int width_ = kPageWidth;
    int height_ = kPageHeight;
    std::int64_t lastPasteMs_ = 0;
    bool pasted_ = false;
    std::function<void()> changed_;
};

}  // namespace vl::cover
