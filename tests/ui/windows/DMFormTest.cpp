// The fax log cleanup window and its two helpers on real tables in a
// temporary data folder: what each delete item removes, the questions it
// asks first, the filters it lifts and gives back, and its enabling rules.
#include "ui/DMForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <map>
#include <set>

#include "ModalDriver.h"
#include "app/FaxFolderFiles.h"
#include "support/TestSupport.h"
#include "ui/DateSelector.h"
#include "ui/DeleteForConditions.h"

namespace vl::test {
namespace {

using app::CleanupItem;
using store::CleanupPage;
using Names = std::set<std::string>;

// What the user does in the windows an item opens.
struct Answers {
    QDate date;                // the date selector
    std::string typed;         // the conditions window, in the selected choice's field
    bool exact = true;
};

void PressOk(QWidget& dialog)
{
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        box->button(QDialogButtonBox::Ok)->click();
}

class DMFormTest : public ::testing::Test {
protected:
    DMFormTest()
    {
        std::filesystem::create_directories(dir.path() / "SEND");
        std::filesystem::create_directories(dir.path() / "RECEIVE");
        lists.Open(folder);
        AddOut("Ann 1", "Ann", "20240301", false, "FAX00001.APF", "COV00001.APF");
        AddOut("Bob 2", "Bob", "", false, "FAX00002.APF", "");
        AddOut("Carol 3", "Joanna", "20231215", true, "", "COV00003.APF");
        AddIn("Acme Corp", "20240101", false, "IN00001.APF");
        AddIn("acme", "20240301", true, "IN00002.APF");
        lists.Outgoing()->GoTop();
        lists.Incoming()->GoTop();
    }

    static void AddRecord(store::Table& table, const std::vector<std::pair<const char*, std::string>>& fields)
    {
        table.AppendBlank();
        for (const auto& [field, value] : fields)
            table.SetText(field, value);
        table.Post();
    }

    void AddOut(const std::string& subject, const std::string& recipient, const std::string& date, bool archived,
                const std::string& doc, const std::string& cover)
    {
        AddRecord(*lists.Outgoing(), {{"SUBJECT", subject}, {"RECIPIENT", recipient}, {"DATESENT", date},
                                      {"ARCHIVED", archived ? "T" : "F"}, {"FAXDOC", doc}, {"FAXCOVER", cover}});
        for (const std::string& file : {doc, cover, cover.empty() ? "" : app::CoverDataName(cover)})
            if (!file.empty())
                WriteFile(folder + "SEND/" + file, file);
    }

    void AddIn(const std::string& from, const std::string& date, bool archived, const std::string& file)
    {
        AddRecord(*lists.Incoming(),
                  {{"FROM", from}, {"DATEREC", date}, {"ARCHIVED", archived ? "T" : "F"}, {"FAXFILE", file}});
        WriteFile(folder + "RECEIVE/" + file, file);
    }

    // Every fax left in the table, archived ones too.
    Names Left(CleanupPage page)
    {
        store::Table& t = page == CleanupPage::Outgoing ? *lists.Outgoing() : *lists.Incoming();
        const std::string filter = t.Filter();
        const uint32_t current = t.RecNo();
        t.SetFilter("");
        Names names;
        for (t.GoTop(); !t.Eof(); t.Skip())
            names.insert(t.Text(page == CleanupPage::Outgoing ? "SUBJECT" : "FROM"));
        t.SetFilter(filter);
        t.Go(current);
        return names;
    }

    Names FilesLeft() const
    {
        Names files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
            if (entry.is_regular_file() && entry.path().extension() != ".DBF" && entry.path().extension() != ".CDX")
                files.insert(entry.path().filename().string());
        return files;
    }

    // Runs the item on the page answering every window: Yes to questions,
    // `answers` in the date selector and the conditions window, OK to the
    // rest. Returns what the message boxes said, in order.
    std::vector<std::string> Run(ui::DMForm& form, CleanupItem item, const Answers& answers)
    {
        std::vector<std::string> said;
        ModalResponder responder([&](QWidget& modal) {
            if (auto* selector = qobject_cast<ui::DateSelector*>(&modal)) {
                said.push_back(modal.windowTitle().toStdString());
                selector->SetDate(answers.date);
                PressOk(modal);
            } else if (qobject_cast<ui::DeleteForConditions*>(&modal)) {
                for (auto* choice : modal.findChildren<QRadioButton*>())
                    if (choice->isChecked())
                        Child<QLineEdit>(modal, choice->objectName().chopped(6).toLatin1().constData())
                            ->setText(QString::fromStdString(answers.typed));
                Child<QCheckBox>(modal, "ExactMatch")->setChecked(answers.exact);
                // OK asks a question of its own, which must find this answer over.
                QTimer::singleShot(0, &modal, [&modal] { PressOk(modal); });
            } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                said.push_back(ModalText(modal));
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    CloseModal(modal);
            }
        });
        form.Item(item)->trigger();
        return said;
    }

    TempDir dir;
    const std::string folder = dir.folder();
    app::FaxLists lists;
};

struct ItemCase {
    const char* name;
    CleanupPage page;
    CleanupItem item;
    Answers answers;
    Names left;
    std::vector<std::string> said;  // "DATE" stands for the chosen date in the long format
};

class DMFormItemTest : public DMFormTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(DMFormItemTest, DeletesExactlyItsFaxesAndTheirFilesAfterItsQuestion)
{
    const ItemCase& c = GetParam();
    ui::DMForm form(lists);
    form.show();
    form.SetPage(c.page);
    const Names filesBefore = FilesLeft();
    const Names before = Left(c.page);
    const std::vector<std::string> said = Run(form, c.item, c.answers);

    std::vector<std::string> expected;
    const std::string longDate = QLocale().toString(c.answers.date, QLocale::LongFormat).toStdString();
    for (std::string text : c.said) {
        if (const size_t at = text.find("DATE"); at != std::string::npos)
            text.replace(at, 4, longDate);
        expected.push_back(text);
    }
    EXPECT_EQ(said, expected);
    EXPECT_EQ(Left(c.page), c.left);
    EXPECT_EQ(form.DeletedAnything(), c.left != before);
    // Files go with their faxes only: a fax left keeps all of its files.
    const Names files = FilesLeft();
    for (const std::string& file : filesBefore) {
        const bool outgoing = file.rfind("IN", 0) != 0;
        if ((c.page == CleanupPage::Outgoing) != outgoing) {
            EXPECT_TRUE(files.count(file)) << file;
        }
    }
    const std::map<std::string, Names> owned = {
        {"Ann 1", {"FAX00001.APF", "COV00001.APF", "COV00001.fcd"}}, {"Bob 2", {"FAX00002.APF"}},
        {"Carol 3", {"COV00003.APF", "COV00003.fcd"}},               {"Acme Corp", {"IN00001.APF"}},
        {"acme", {"IN00002.APF"}}};
    for (const std::string& fax : before)
        for (const std::string& file : owned.at(fax))
            EXPECT_EQ(files.count(file) == 1, c.left.count(fax) == 1) << file;
}

const char kDelete[] = "DELETE: ";

INSTANTIATE_TEST_SUITE_P(
    Items, DMFormItemTest,
    ::testing::Values(
        ItemCase{"CurrentFax", CleanupPage::Outgoing, CleanupItem::Current, {}, {"Bob 2", "Carol 3"},
                 {std::string(kDelete) + "Delete this fax? (action is permanent)"}},
        // The never-sent fax has no date to be before anything.
        ItemCase{"BeforeADate", CleanupPage::Outgoing, CleanupItem::BeforeDate, {QDate(2024, 3, 15), "", true}, {"Bob 2"},
                 {"Delete all before...",
                  std::string(kDelete) + "Delete all outgoing faxes prior to DATE (action is permanent)?",
                  "Information: 2 deleted."}},
        ItemCase{"ReceivedBeforeADate", CleanupPage::Incoming, CleanupItem::BeforeDate, {QDate(2024, 2, 1), "", true},
                 {"acme"},
                 {"Delete all before...",
                  std::string(kDelete) + "Delete all received faxes prior to DATE (action is permanent)?",
                  "Information: 1 deleted."}},
        ItemCase{"Archived", CleanupPage::Outgoing, CleanupItem::Archived, {}, {"Ann 1", "Bob 2"},
                 {std::string(kDelete) + "Delete all archived outgoing faxes? (action is permanent)",
                  "Information: 1 deleted."}},
        ItemCase{"Sent", CleanupPage::Outgoing, CleanupItem::Sent, {}, {"Bob 2"},
                 {std::string(kDelete) + "Delete all outgoing faxes which have been sent? (action is permanent)",
                  "Information: 2 deleted."}},
        ItemCase{"NotSent", CleanupPage::Outgoing, CleanupItem::NotSent, {}, {"Ann 1", "Carol 3"},
                 {std::string(kDelete) +
                      "Delete all outgoing faxes which have NOT been sent? (action is permanent)",
                  "Information: 1 deleted."}},
        ItemCase{"RecipientExact", CleanupPage::Outgoing, CleanupItem::Conditions, {{}, " ann", true},
                 {"Bob 2", "Carol 3"},
                 {"VERIFY DELETE: Are you sure you wish to delete all faxes matching this criteria?",
                  "Information: 1 deleted."}},
        ItemCase{"RecipientPartial", CleanupPage::Outgoing, CleanupItem::Conditions, {{}, "ann", false},
                 {"Bob 2"},
                 {"VERIFY DELETE: Are you sure you wish to delete all faxes matching this criteria?",
                  "Information: 2 deleted."}},
        ItemCase{"FromExact", CleanupPage::Incoming, CleanupItem::Conditions, {{}, "ACME", true}, {"Acme Corp"},
                 {"VERIFY DELETE: Are you sure you wish to delete all faxes matching this criteria?",
                  "Information: 1 deleted."}},
        ItemCase{"FromPartial", CleanupPage::Incoming, CleanupItem::Conditions, {{}, "acme", false}, {},
                 {"VERIFY DELETE: Are you sure you wish to delete all faxes matching this criteria?",
                  "Information: 2 deleted."}},
        ItemCase{"All", CleanupPage::Incoming, CleanupItem::All, {}, {},
                 {"DELETE ALL: Delete all received faxes ? (action is permanent)", "Information: 2 deleted."}}),
    [](const ::testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST_F(DMFormTest, NoToTheQuestionDeletesNothing)
{
    ui::DMForm form(lists);
    form.show();
    WhenModal([](QWidget& modal) { qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::No)->click(); });
    form.Item(CleanupItem::All)->trigger();
    EXPECT_EQ(Left(CleanupPage::Outgoing), (Names{"Ann 1", "Bob 2", "Carol 3"}));
    EXPECT_FALSE(form.DeletedAnything());
}

TEST_F(DMFormTest, ArchivedFaxesShowWhileOpenAndTheFiltersComeBackOnClose)
{
    lists.Incoming()->SetFilter(".not. ARCHIVED");
    {
        ui::DMForm form(lists);
        form.show();
        EXPECT_EQ(lists.Outgoing()->Filter(), "");
        EXPECT_EQ(lists.Incoming()->Filter(), "");
        EXPECT_EQ(form.List(CleanupPage::Outgoing)->model()->rowCount(), 3);
        EXPECT_EQ(form.List(CleanupPage::Incoming)->model()->rowCount(), 2);
        const QModelIndex archived = form.List(CleanupPage::Outgoing)->model()->index(1, 1);
        EXPECT_EQ(archived.data().toString(), "Yes");
        Child<QPushButton>(form, "close")->click();
        EXPECT_EQ(lists.Outgoing()->Filter(), ".not. archived");
        EXPECT_EQ(lists.Incoming()->Filter(), ".not. ARCHIVED");
    }
    EXPECT_EQ(lists.Outgoing()->Filter(), ".not. archived");
}

TEST_F(DMFormTest, ItemsListsAndTabsFollowThePageAndWhatItHolds)
{
    ui::DMForm form(lists);
    form.show();
    EXPECT_EQ(form.Page(), CleanupPage::Outgoing);
    for (CleanupItem item : {CleanupItem::Sent, CleanupItem::NotSent, CleanupItem::Archived})
        EXPECT_TRUE(form.Item(item)->isVisible());
    form.SetPage(CleanupPage::Incoming);
    EXPECT_FALSE(form.Item(CleanupItem::Sent)->isVisible());
    EXPECT_FALSE(form.Item(CleanupItem::NotSent)->isVisible());
    EXPECT_TRUE(form.Item(CleanupItem::Archived)->isVisible());
    EXPECT_EQ(form.TabText(CleanupPage::Incoming), "Incoming Faxes");

    ModalResponder responder([](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box && box->button(QMessageBox::Yes))
            box->button(QMessageBox::Yes)->click();
        else
            CloseModal(modal);
    });
    form.Item(CleanupItem::All)->trigger();
    EXPECT_EQ(form.TabText(CleanupPage::Incoming), "Incoming Faxes (none)");
    EXPECT_FALSE(form.List(CleanupPage::Incoming)->isEnabled());
    EXPECT_EQ(form.List(CleanupPage::Incoming)->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(form.Actions()->menuAction()->isEnabled());
    form.SetPage(CleanupPage::Outgoing);
    EXPECT_TRUE(form.Actions()->menuAction()->isEnabled());
    EXPECT_EQ(form.TabText(CleanupPage::Outgoing), "Outgoing Faxes");
    form.Item(CleanupItem::All)->trigger();
    EXPECT_EQ(form.TabText(CleanupPage::Outgoing), "OutGoing Faxes (none)");
    EXPECT_FALSE(form.Actions()->menuAction()->isEnabled());
}

TEST_F(DMFormTest, DoubleClickOnTheDeletedColumnDeletesTheFaxOfThatRow)
{
    ui::DMForm form(lists);
    form.show();
    QTableView* list = form.List(CleanupPage::Outgoing);
    list->selectRow(2);
    const std::string subject = list->model()->index(2, 5).data().toString().toStdString();
    WhenModal([](QWidget& modal) { qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Yes)->click(); });
    emit list->doubleClicked(list->model()->index(2, 0));
    EXPECT_EQ(Left(CleanupPage::Outgoing).count(subject), 0u);
    EXPECT_EQ(Left(CleanupPage::Outgoing).size(), 2u);
}

TEST(DeleteForConditions, OffersTheChoicesOfThePageFilledFromTheCurrentFax)
{
    ui::DeleteForConditions outgoing(CleanupPage::Outgoing, {"", "Ann", "555 0100"});
    EXPECT_EQ(outgoing.windowTitle(), "Delete Faxes Where....");
    EXPECT_FALSE(Child<QRadioButton>(outgoing, "fromChoice")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(outgoing, "recipientChoice")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(outgoing, "fax")->text(), "555 0100");
    ui::DeleteForConditions incoming(CleanupPage::Incoming, {"  +1 555 0142  ", "", ""});
    EXPECT_TRUE(Child<QRadioButton>(incoming, "fromChoice")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(incoming, "faxChoice")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(incoming, "from")->text(), "+1 555 0142");
}

TEST(DeleteForConditions, ABlankValueIsRefusedAndNoKeepsTheWindowOpen)
{
    ui::DeleteForConditions form(CleanupPage::Incoming, {"   ", "", ""});
    form.show();
    std::string said;
    WhenModal([&](QWidget& modal) {
        said = ModalText(modal);
        CloseModal(modal);
    });
    PressOk(form);
    EXPECT_EQ(said, "Information: Please enter a value");
    EXPECT_TRUE(form.isVisible());

    Child<QLineEdit>(form, "from")->setText("acme");
    Child<QCheckBox>(form, "ExactMatch")->setChecked(false);
    WhenModal([](QWidget& modal) { qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::No)->click(); });
    PressOk(form);
    EXPECT_TRUE(form.isVisible());
    WhenModal([](QWidget& modal) { qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Yes)->click(); });
    PressOk(form);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Condition(), "\"ACME\"$ALLTRIM(UPPER(FROM))");
}

TEST(DateSelector, ButtonsMoveTheDateAndTheChosenDateIsWrittenOut)
{
    ui::DateSelector form;
    EXPECT_EQ(form.Date(), QDate::currentDate());
    form.SetDate(QDate(2024, 1, 31));
    Child<QPushButton>(form, "monthForward")->click();
    EXPECT_EQ(form.Date(), QDate(2024, 2, 29));
    Child<QPushButton>(form, "yearBack")->click();
    EXPECT_EQ(form.Date(), QDate(2023, 2, 28));
    Child<QPushButton>(form, "monthBack")->click();
    Child<QPushButton>(form, "yearForward")->click();
    EXPECT_EQ(form.Date(), QDate(2024, 1, 28));
    EXPECT_EQ(Child<QLabel>(form, "chosen")->text(),
              QLocale().toString(QDate(2024, 1, 28), QStringLiteral("dddd, MMMM d, yyyy")));
    Child<QPushButton>(form, "today")->click();
    EXPECT_EQ(form.Date(), QDate::currentDate());
}

TEST(DateSelector, ADoubleClickedDayIsTheAnswerAndCancelGivesNone)
{
    WhenModal([](QWidget& modal) {
        auto* calendar = Child<QCalendarWidget>(modal, "calendar");
        calendar->setSelectedDate(QDate(2025, 6, 2));
        emit calendar->activated(QDate(2025, 6, 2));
    });
    EXPECT_EQ(ui::DateSelector::Ask("Delete all before...", nullptr), QDate(2025, 6, 2));
    WhenModal([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_EQ(ui::DateSelector::Ask("Delete all before...", nullptr), std::nullopt);
}

}  // namespace
}  // namespace vl::test
