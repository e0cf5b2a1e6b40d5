#include "ui/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/UiText.h"

namespace vl::ui {

namespace {

QPointer<HelpWindow> theWindow;

// A page that is not there (a topic's or a link's) says so in the browser,
// naming the file and the folder, instead of leaving the view blank.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        // setSource() asks for a page as an unknown resource, a followed link as HTML.
        const bool page = type == QTextDocument::HtmlResource || type == QTextDocument::UnknownResource;
        if (page && name.isLocalFile() && !QFileInfo::exists(name.toLocalFile())) {
            const QFileInfo file(name.toLocalFile());
            return QStringLiteral("<html><head><title>Page missing</title></head><body><h2>Page missing</h2>"
                                  "<p>The help page %1 is missing from %2</p></body></html>")
                .arg(file.fileName().toHtmlEscaped(), file.absolutePath().toHtmlEscaped() + QLatin1Char('/'));
        }
        return QTextBrowser::loadResource(type, name);
    }
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Vellora Help"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildButtons());
    layout->addWidget(BuildBrowser(), 1);
    layout->addLayout(BuildSearch());
    resize(720, 560);
}

HelpWindow* HelpWindow::ShowTopic(app::HelpTopic topic, QWidget* from)
{
    QWidget* owner = from ? from->window() : nullptr;
    if (!theWindow)
        theWindow = new HelpWindow(owner);
    else if (theWindow->parentWidget() != owner)
        theWindow->setParent(owner, theWindow->windowFlags());
    theWindow->ShowPage(topic);
    theWindow->show();
    theWindow->raise();
    theWindow->activateWindow();
    return theWindow;
}

HelpWindow* HelpWindow::Current()
{
    return theWindow;
}

void HelpWindow::ShowPage(app::HelpTopic topic)
{
    browser_->setSource(QUrl::fromLocalFile(ToQt(app::HelpFile(topic))));
}

bool HelpWindow::FindNext()
{
    const QString text = search_->text();
    if (!text.isEmpty()) {
        if (browser_->find(text))
            return true;
        const QTextCursor kept = browser_->textCursor();
        browser_->moveCursor(QTextCursor::Start);
        if (browser_->find(text))
            return true;
        browser_->setTextCursor(kept);
    }
    QApplication::beep();
    return false;
}

QLayout* HelpWindow::BuildButtons()
{
    back_ = Button("< &Back", "Back", [this] { browser_->backward(); });
    forward_ = Button("&Forward >", "Forward", [this] { browser_->forward(); });
    QPushButton* contents = Button("&Contents", "Contents", [this] { ShowPage(app::HelpTopic::Contents); });
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {back_, forward_, contents})
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

QTextBrowser* HelpWindow::BuildBrowser()
{
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("Page"));
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    return browser_;
}

QLayout* HelpWindow::BuildSearch()
{
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("Search"));
    auto* label = new QLabel(QStringLiteral("F&ind in page:"));
    label->setBuddy(search_);
    QPushButton* next = Button("Find &Next", "FindNext", [this] { FindNext(); });
    connect(search_, &QLineEdit::returnPressed, this, guard_.Slot([this] { FindNext(); }));
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(search_, 1);
    row->addWidget(next);
    return row;
}

QPushButton* HelpWindow::Button(const char* caption, const char* name, std::function<void()> handler)
{
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, guard_.Slot(std::move(handler)));
    return button;
}

}  // namespace vl::ui
