// "Phone Book Browser" and "Phone Book Editor": the buttons of both layouts
// and when they are on, entries in name order after adding and changing,
// the delete question, the search as the user types, and picking an entry
// into the fax information editor and the cover sheet editor.
#include "ui/PhoneBook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ModalDriver.h"
#include "app/PhoneBookExchange.h"
#include "app/PhoneBookList.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/CreateEditQuickFax.h"
#include "ui/FaxEditor.h"
#include "ui/PhoneBookEditor.h"

namespace vl::test {
namespace {

using ui::PhoneBook;

// Typed a key at a time, as text: QTest's key clicks know ASCII only.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

class PhoneBookTest : public ::testing::Test {
protected:
    void Enter(std::initializer_list<std::pair<const char*, const char*>> entries)
    {
        app::PhoneBookList list(dir.folder());
        for (const auto& [name, phone] : entries)
            list.Add(name, phone);
    }

    static std::vector<std::string> Names(const PhoneBook& window)
    {
        const auto* grid = Child<QTableView>(window, "Grid");
        std::vector<std::string> names;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            names.push_back(grid->model()->index(row, 0).data().toString().toStdString());
        return names;
    }

    static std::string Current(const PhoneBook& window)
    {
        return window.CurrentRow() < 0 ? "" : Names(window)[static_cast<std::size_t>(window.CurrentRow())];
    }

    // Answers the editor that the next command opens.
    static void WhenEditor(const char* name, const char* number)
    {
        WhenModal([name, number](QWidget& editor) {
            EXPECT_EQ(editor.windowTitle(), "Phone Book Editor");
            Child<QLineEdit>(editor, "Name")->setText(name);
            Child<QLineEdit>(editor, "Number")->setText(number);
            Child<QPushButton>(editor, "Accept")->click();
        });
    }

    TempDir dir;
    EnvVar home{"VELLORA_HOME", dir.folder()};
};

TEST_F(PhoneBookTest, AnEmptyBookOffersOnlyNewAndItsCommandsDoNothing)
{
    for (const auto layout : {PhoneBook::Layout::Browse, PhoneBook::Layout::Pick}) {
        const bool pick = layout == PhoneBook::Layout::Pick;
        SCOPED_TRACE(pick ? "pick" : "browse");
        PhoneBook window(layout, dir.folder());
        window.show();
        EXPECT_EQ(window.windowTitle(), "Phone Book Browser");
        EXPECT_TRUE(Child<QPushButton>(window, "New")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(window, "Edit")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(window, "Delete")->isEnabled());
        EXPECT_EQ(window.findChild<QPushButton*>("Close") != nullptr, !pick);
        EXPECT_EQ(window.findChild<QPushButton*>("Cancel") != nullptr, pick);
        if (pick) {
            EXPECT_FALSE(Child<QPushButton>(window, "Accept")->isEnabled());
            EXPECT_TRUE(Child<QPushButton>(window, "Accept")->isDefault());
        } else {
            EXPECT_EQ(window.findChild<QPushButton*>("Accept"), nullptr);
        }
        // Reached anyway, they open nothing and close nothing.
        window.EditEntry();
        window.DeleteEntry();
        window.AcceptEntry();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.Picked().name, "");
    }
}

TEST_F(PhoneBookTest, NewAndChangedEntriesTakeTheirPlaceInNameOrder)
{
    Enter({{"Dunn", "555 0104"}, {"Baker", "555 0102"}});
    PhoneBook window(PhoneBook::Layout::Browse, dir.folder());
    window.show();
    EXPECT_EQ(Names(window), (std::vector<std::string>{"Baker", "Dunn"}));

    WhenEditor("Carter", "555 0103");
    Child<QPushButton>(window, "New")->click();
    EXPECT_EQ(Names(window), (std::vector<std::string>{"Baker", "Carter", "Dunn"}));
    EXPECT_EQ(Current(window), "Carter");

    // The order is the NAME tag's, which tells capitals from small letters.
    WhenEditor("adams", "");
    Child<QPushButton>(window, "New")->click();
    EXPECT_EQ(Names(window), (std::vector<std::string>{"Baker", "Carter", "Dunn", "adams"}));

    std::string shownName;
    WhenModal([&](QWidget& editor) {
        shownName = Child<QLineEdit>(editor, "Name")->text().toStdString();
        Child<QLineEdit>(editor, "Name")->setText("Young");
        Child<QPushButton>(editor, "Accept")->click();
    });
    window.EditEntry();
    EXPECT_EQ(shownName, "adams");
    EXPECT_EQ(Names(window), (std::vector<std::string>{"Baker", "Carter", "Dunn", "Young"}));
    EXPECT_EQ(Current(window), "Young");
    EXPECT_TRUE(Child<QPushButton>(window, "Edit")->isEnabled());
}

TEST_F(PhoneBookTest, DeleteAsksWithNoAsDefaultAndNoKeepsTheEntry)
{
    Enter({{"Baker", "555 0102"}, {"Carter", "555 0103"}});
    PhoneBook window(PhoneBook::Layout::Browse, dir.folder());
    window.show();
    for (const bool yes : {false, true}) {
        std::string title, text;
        bool noIsDefault = false;
        WhenModal([&](QWidget& modal) {
            auto& box = dynamic_cast<QMessageBox&>(modal);
            title = box.windowTitle().toStdString();
            text = box.text().toStdString();
            noIsDefault = box.defaultButton() == box.button(QMessageBox::No);
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        Child<QPushButton>(window, "Delete")->click();
        EXPECT_EQ(title, "Delete");
        EXPECT_EQ(text, "Delete the current phone book entry?:\nBaker");
        EXPECT_TRUE(noIsDefault);
        const std::vector<std::string> left =
            yes ? std::vector<std::string>{"Carter"} : std::vector<std::string>{"Baker", "Carter"};
        EXPECT_EQ(Names(window), left);
    }
    // Gone from the file too, not only from the grid.
    EXPECT_EQ(app::PhoneBookList(dir.folder()).Count(), 1);
}

TEST_F(PhoneBookTest, TheFileMenuImportsIntoTheListAndExportsWhatItShows)
{
    Enter({{"Carter", "555 0103"}});
    WriteFile(dir.folder() + "contacts.csv", "First Name,Last Name,Business Fax\r\nAnn,\"Baker, Jr.\",555 0102\r\n"
                                             ",,\r\n,\r\nZoe,Adams,555 0199\r\n\"\",\"\",\"\"\r\n");
    PhoneBook window(PhoneBook::Layout::Browse, dir.folder());
    std::string asked;
    window.SetFileAsker([&](bool forSaving) {
        return QString::fromStdString(dir.folder() + (forSaving ? "out.vcf" : asked));
    });
    window.show();
    const auto said = [&](void (PhoneBook::*command)()) {
        std::string text;
        WhenModal([&text](QWidget& modal) {
            text = ModalText(modal);
            CloseModal(modal);
        });
        (window.*command)();
        return text;
    };
    asked = "contacts.csv";
    const std::string imported = said(&PhoneBook::ImportEntries);
    EXPECT_NE(imported.find("2 entries imported."), std::string::npos) << imported;
    EXPECT_EQ(Names(window), (std::vector<std::string>{"Ann Baker, Jr.", "Carter", "Zoe Adams"}));
    asked = "contacts.txt";
    EXPECT_NE(said(&PhoneBook::ImportEntries).find("contacts.txt is not a .csv or .vcf file"), std::string::npos);

    EXPECT_NE(said(&PhoneBook::ExportEntries).find("3 entries exported."), std::string::npos);
    const std::string card = ReadFile(dir.folder() + "out.vcf");
    EXPECT_NE(card.find("FN:Ann Baker\\, Jr."), std::string::npos) << card;
    EXPECT_NE(card.find("555 0199"), std::string::npos) << card;
}

TEST(PhoneBookExchangeMessage, CountsFailuresAndTheFirstTenRowsLeftOut)
{
    app::PhoneBookExchangeReport report;
    report.entries = 1;
    EXPECT_EQ(app::PhoneBookExchangeMessage(report, true), "1 entry imported.");
    report.error = "the phone book cannot be written";
    report.entries = 3;
    EXPECT_EQ(app::PhoneBookExchangeMessage(report, true),
              "the phone book cannot be written\r3 entries imported before that.");
    EXPECT_EQ(app::PhoneBookExchangeMessage(report, false), "the phone book cannot be written");
    report.error.clear();
    for (int line = 2; line <= 13; ++line)
        report.skipped.push_back({line, "no name and no number"});
    const std::string text = app::PhoneBookExchangeMessage(report, true);
    EXPECT_NE(text.find("3 entries imported.\r\rSkipped:\rline 2: no name and no number\r"), std::string::npos);
    EXPECT_NE(text.find("line 11:"), std::string::npos);
    EXPECT_EQ(text.find("line 12:"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\rand 2 more")) << text;
}

TEST_F(PhoneBookTest, TypingFindsANameInAnyLetterCase)
{
    Enter({{"Baker", "1"}, {"Carter", "2"}, {"Mary Carson", "3"}, {"Dunn", "4"}, {"Élise Roy", "5"}});
    PhoneBook window(PhoneBook::Layout::Pick, dir.folder());
    window.show();
    auto* search = Child<QLineEdit>(window, "Search");
    const std::pair<const char*, const char*> cases[] = {
        {"car", "Carter"},         // the start of a name first
        {"carso", "Mary Carson"},  // then anywhere in it
        {"élise", "Élise Roy"},    // letters beyond ASCII fold too
        {"zz", "Élise Roy"},       // no match leaves the row where it was
    };
    for (const auto& [typed, found] : cases) {
        search->clear();
        Type(search, QString::fromUtf8(typed));
        EXPECT_EQ(Current(window), found) << typed;
    }
    // Letters typed on the grid search as well.
    search->clear();
    QTest::keyClicks(Child<QTableView>(window, "Grid"), "du");
    EXPECT_EQ(search->text(), "du");
    EXPECT_EQ(Current(window), "Dunn");
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.Picked().name, "Dunn");
    EXPECT_EQ(window.Picked().phone, "4");
}

TEST_F(PhoneBookTest, PickingFillsTheRecipientAndNumberOfBothEditors)
{
    Enter({{"Baker", "555 0102"}, {"Carter", "+1 555 0103"}});
    app::Settings settings;
    ui::FaxEditor faxEditor;
    ui::CreateEditQuickFax coverEditor(settings, dir.folder());
    struct Case {
        QWidget* editor;
        const char *button, *recipient, *number;
    };
    const Case cases[] = {{&faxEditor, "phonebook", "recipient", "phone"},
                          {&coverEditor, "Phonebook", "Recipient", "RecipientFax"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        c.editor->show();
        auto* recipient = Child<QLineEdit>(*c.editor, c.recipient);
        auto* number = Child<QLineEdit>(*c.editor, c.number);
        recipient->setText("typed");
        // Cancel leaves the entries alone.
        WhenModal([](QWidget& book) { Child<QPushButton>(book, "Cancel")->click(); });
        Child<QPushButton>(*c.editor, c.button)->click();
        EXPECT_EQ(recipient->text(), "typed");

        QString title;
        WhenModal([&](QWidget& book) {
            title = book.windowTitle();
            QTest::keyClicks(Child<QLineEdit>(book, "Search"), "ca");
            Child<QPushButton>(book, "Accept")->click();
        });
        Child<QPushButton>(*c.editor, c.button)->click();
        EXPECT_EQ(title, "Phone Book Browser");
        EXPECT_EQ(recipient->text(), "Carter");
        EXPECT_EQ(number->text(), "+1 555 0103");
        c.editor->hide();
    }
}

TEST_F(PhoneBookTest, TheEditorStopsAtTheFieldWidthsAndCancelKeepsTheValues)
{
    std::string name = "Baker", number = "1";
    WhenModal([](QWidget& editor) {
        QTest::keyClicks(Child<QLineEdit>(editor, "Name"), QString(40, QLatin1Char('n')));
        QTest::keyClicks(Child<QLineEdit>(editor, "Number"), QString(30, QLatin1Char('9')));
        EXPECT_EQ(Child<QLineEdit>(editor, "Name")->text().size(), 35);
        EXPECT_EQ(Child<QLineEdit>(editor, "Number")->text().size(), 25);
        Child<QPushButton>(editor, "Cancel")->click();
    });
    EXPECT_FALSE(ui::PhoneBookEditor::Edit(name, number, nullptr));
    EXPECT_EQ(name, "Baker");
    EXPECT_EQ(number, "1");
}

TEST_F(PhoneBookTest, ANameTheTableCannotHoldIsRefusedWithoutABlankEntry)
{
    app::PhoneBookList list(dir.folder());
    EXPECT_THROW(list.Add("王", "1"), store::EStoreError);
    list.Refresh();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace vl::test
