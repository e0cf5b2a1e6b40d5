// The symbol selector and the label text window: what they preselect and
// what they give back.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "ui/GetLabelText.h"
#include "ui/GetSymbol.h"

namespace vl::test {
namespace {

TEST(GetSymbolTest, TheCurrentCharacterIsSelectedInAGridForTheFontSize)
{
    QFont font("DejaVu Sans", 24);
    ui::GetSymbol form(font, 'A', nullptr);
    auto* grid = form.findChild<QTableWidget*>("symbols");
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->rowCount(), 28);
    EXPECT_EQ(form.Choice().code, 'A');
    EXPECT_EQ(grid->item(('A' - 32) / 8, ('A' - 32) % 8)->text(), "A");
    EXPECT_EQ(form.findChild<QPushButton*>("font")->text(), "DejaVu Sans 24pt ");

    // The last cell holds code 255; a new size lays the grid out again and
    // keeps the character.
    grid->setCurrentCell(27, 7);
    EXPECT_EQ(form.Choice().code, 255);
    EXPECT_EQ(grid->item(27, 7)->text(), QString(QChar(0xFF)));
    font.setPointSize(8);
    font.setBold(true);
    form.SetFont(font);
    EXPECT_EQ(grid->columnCount(), 14);
    EXPECT_EQ(form.Choice().code, 255);
    EXPECT_EQ(form.findChild<QPushButton*>("font")->text(), "DejaVu Sans 8pt Bold ");

    ui::GetSymbol outside(font, 7, nullptr);
    EXPECT_EQ(outside.Choice().code, 32);
}

TEST(GetLabelTextTest, TheCaptionComesBackAsTyped)
{
    ui::GetLabelText form("Text", nullptr);
    form.findChild<QLineEdit*>("text")->setText("Company Name");
    EXPECT_EQ(form.Caption(), "Company Name");
}

}  // namespace
}  // namespace vl::test
