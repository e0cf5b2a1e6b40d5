// "Quick Configuration Analysis": a wizard that walks through the settings
// that most often keep faxes from being sent or received, offers safer
// values, and gives back the settings with the chosen ones.
#pragma once

#include <QDialog>
#include <QStringList>

#include "app/ConfigurationAnalysis.h"
#include "app/Settings.h"
#include "ui/CommandGuard.h"

class QLabel;
class QLayout;
class QPushButton;
class QStackedWidget;

namespace vl::ui {

class QuickSuggest : public QDialog {
    Q_OBJECT

public:
    // The results besides Cancel's 0.
    static constexpr int kChanged = 1;
    static constexpr int kProblemSolver = 99;

    explicit QuickSuggest(const app::Settings& settings, QWidget* parent = nullptr);

    // The settings with the chosen changes, after Finish.
    const app::Settings& Result() const { return settings_; }

private:
    QStackedWidget* BuildPages();
    QWidget* BuildStartPage();
    QWidget* BuildCheckPage(int page, const char* title, const char* text, const char* choice);
    QWidget* BuildChoicePage(int page, const char* title, const char* text, const QStringList& choices,
                             const char* keep);
    QWidget* BuildResetPage(int page, const char* title);
    QWidget* BuildInitPage(int page, const char* title, const char* text);
    QWidget* BuildEndPage();
    QLayout* BuildButtons();

    void Chosen(int page, int choice);
    void Move(void (app::ConfigurationAnalysis::*step)());
    void ShowPage();
    void FinishClicked();

    app::Settings settings_;
    app::ConfigurationAnalysis analysis_;
    CommandGuard guard_{*this, nullptr};
    QStackedWidget* pages_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
    QPushButton* problemSolver_ = nullptr;
    QLabel* conclusion_ = nullptr;
    QLabel* noProblems_ = nullptr;
};

}  // namespace vl::ui
