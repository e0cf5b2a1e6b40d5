// "Vellora Help": the help pages in a browser of their own, with Back,
// Forward, Contents and a search in the page. One window serves every topic
// and never blocks the window that asked for it.
#pragma once

#include <QWidget>

#include "app/HelpTopics.h"
#include "ui/CommandGuard.h"

class QLayout;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace vl::ui {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Shows `topic` in the help window, made on first use, and brings it to
    // the front. The window becomes a child window of `from`'s window, so a
    // modal dialog asking for help does not block it; it closes with that
    // window.
    static HelpWindow* ShowTopic(app::HelpTopic topic, QWidget* from);
    // The help window, or null when none is open.
    static HelpWindow* Current();

    void ShowPage(app::HelpTopic topic);
    // Selects the next match of the search text after the cursor, going on
    // from the top of the page after the last one; beeps and keeps the
    // selection when the page has none.
    bool FindNext();

    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchField() const { return search_; }

private:
    explicit HelpWindow(QWidget* parent);
    QLayout* BuildButtons();
    QTextBrowser* BuildBrowser();
    QLayout* BuildSearch();
    QPushButton* Button(const char* caption, const char* name, std::function<void()> handler);

    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QLineEdit* search_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
