#include "ui/CoverObjectMenu.h"

#include <QAction>
#include <QMenu>

#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "ui/CoverCommands.h"
#include "ui/CoverMenuEntries.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr int kThickestPen = 10;
constexpr int kLeastRounding = 20;
constexpr int kMostRounding = 80;
constexpr int kRoundingStep = 10;

void AddFieldMenu(QMenu& menu, CommandGuard& guard, cover::DesignPage& page, cover::FaxCoverField& field)
{
    QStringList texts;
    for (int i = 0; i < cover::kCoverFieldTypeCount; ++i)
        texts << ToQt(cover::FieldMenuText(static_cast<cover::CoverFieldType>(i)));
    AddChoices(*menu.addMenu(QStringLiteral("Field")), texts, static_cast<int>(field.FieldType()), guard,
               [&page, &field](int i) { page.SetFieldType(&field, static_cast<cover::CoverFieldType>(i)); });
}

void AddThicknessMenu(QMenu& menu, CommandGuard& guard, cover::DesignPage& page, cover::GraphicControl& object,
                      int width)
{
    QStringList texts;
    for (int points = 1; points <= kThickestPen; ++points)
        texts << QStringLiteral("%1 Point").arg(points);
    AddChoices(*menu.addMenu(QStringLiteral("Line Thickness")), texts, width - 1, guard,
               [&page, &object](int i) { page.SetPenWidth(&object, i + 1); });
}

void AddShapeEntries(QMenu& menu, CommandGuard& guard, cover::DesignPage& page, cover::FaxCoverShapes& shape)
{
    AddThicknessMenu(menu, guard, page, shape, shape.pen.width);
    const QStringList fills = {QStringLiteral("Transparent"), QStringLiteral("Filled - White"),
                               QStringLiteral("Filled - Black")};
    AddChoices(menu, fills, static_cast<int>(shape.fillType), guard,
               [&page, &shape](int i) { page.SetFill(&shape, static_cast<cover::ShapeFillType>(i)); });
    if (shape.shape != cover::ShapeType::RoundRect && shape.shape != cover::ShapeType::RoundSquare)
        return;
    QStringList texts;
    int checked = -1;
    for (int percent = kLeastRounding; percent <= kMostRounding; percent += kRoundingStep) {
        if (percent == shape.roundPercent)
            checked = static_cast<int>(texts.size());
        texts << QStringLiteral("%1 %").arg(percent);
    }
    AddChoices(*menu.addMenu(QStringLiteral("Degree of Rounding")), texts, checked, guard, [&page, &shape](int i) {
        page.SetRounding(&shape, kLeastRounding + i * kRoundingStep);
    });
}

void AddLineEntries(QMenu& menu, CommandGuard& guard, cover::DesignPage& page, cover::FaxCoverLine& line)
{
    AddChoices(*menu.addMenu(QStringLiteral("Style")),
               {QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Angled Sloping Up"),
                QStringLiteral("Angled Sloping Down")},
               static_cast<int>(line.lineStyle), guard,
               [&page, &line](int i) { page.SetLineStyle(&line, static_cast<cover::LineStyle>(i)); });
    AddThicknessMenu(menu, guard, page, line, line.pen.width);
    AddCommand(menu, QStringLiteral("Stretch To Edges"), guard, [&page, &line] { page.StretchToEdges(&line); });
}

void AddClassEntries(QMenu& menu, CoverCommands& commands, CommandGuard& guard, cover::GraphicControl& object)
{
    cover::DesignPage& page = commands.Page();
    switch (object.Kind()) {
    case cover::RecordKind::Shape:
        AddShapeEntries(menu, guard, page, static_cast<cover::FaxCoverShapes&>(object));
        return;
    case cover::RecordKind::Line:
        AddLineEntries(menu, guard, page, static_cast<cover::FaxCoverLine&>(object));
        return;
    case cover::RecordKind::Symbol:
        AddCommand(menu, QStringLiteral("Symbol Selector"), guard,
                   [&commands, &object] { commands.ChooseSymbol(object); });
        return;
    default:
        break;
    }
    AddCommand(menu, QStringLiteral("Font"), guard, [&commands, &object] { commands.ObjectFont(object); });
    if (object.Kind() == cover::RecordKind::Label)
        AddCommand(menu, QStringLiteral("Text"), guard, [&commands, &object] { commands.EditText(object); });
    if (object.Kind() == cover::RecordKind::Field)
        AddFieldMenu(menu, guard, page, static_cast<cover::FaxCoverField&>(object));
}

void AddCommonEntries(QMenu& menu, CoverCommands& commands, CommandGuard& guard, cover::GraphicControl& object)
{
    cover::DesignPage& page = commands.Page();
    cover::GraphicControl* self = &object;
    auto targets = [&page, self] {
        return page.IsSelected(self) ? page.Selection() : std::vector<cover::GraphicControl*>{self};
    };
    AddCommand(menu, QStringLiteral("Bring To Front"), guard, [&page, self] { page.BringToFront({self}); });
    AddCommand(menu, QStringLiteral("Send To Back"), guard, [&page, self] { page.SendToBack({self}); });
    menu.addSeparator();
    AddCommand(menu, QStringLiteral("Cut"), guard, [&commands, targets] { commands.Cut(targets()); });
    AddCommand(menu, QStringLiteral("Copy"), guard, [&commands, targets] { commands.Copy(targets()); });
    AddCommand(menu, QStringLiteral("Delete"), guard, [&page, targets] { page.Delete(targets()); });
    AddCommand(menu, QStringLiteral("Clone"), guard, [&page, self] { page.Clone(self); });
    menu.addSeparator();
    QAction* locked = AddCommand(menu, QStringLiteral("Locked"), guard, [&page, self] { page.ToggleLocked(self); });
    locked->setCheckable(true);
    locked->setChecked(object.locked);
    AddCommand(menu, QStringLiteral("Unselectable"), guard, [&page, self] { page.MakeUnselectable(self); });
    menu.addSeparator();
    AddCommand(menu, QStringLiteral("Center Vertically"), guard, [&page, self] { page.CenterVertically({self}); });
    AddCommand(menu, QStringLiteral("Center Horizontally"), guard, [&page, self] { page.CenterHorizontally({self}); });
}

}  // namespace

std::unique_ptr<QMenu> MakeCoverObjectMenu(CoverCommands& commands, CommandGuard& guard,
                                           cover::GraphicControl& object, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    AddClassEntries(*menu, commands, guard, object);
    menu->addSeparator();
    AddCommonEntries(*menu, commands, guard, object);
    return menu;
}

}  // namespace vl::ui
