#include "ui/RebuildInd.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "store/IndexRebuild.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

RebuildInd::RebuildInd(store::Table& outgoing, store::Table& incoming, std::string programFolder, QWidget* parent)
    : QDialog(parent), outgoing_(outgoing), incoming_(incoming), programFolder_(std::move(programFolder)),
      label_(new QLabel), gauge_(new QProgressBar)
{
    setWindowTitle(QStringLiteral("Rebuild Indexes"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowModality(Qt::ApplicationModal);
    label_->setObjectName(QStringLiteral("Label"));
    label_->setMinimumWidth(label_->fontMetrics().averageCharWidth() * 50);
    gauge_->setObjectName(QStringLiteral("Gauge"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(gauge_);
}

void RebuildInd::Run(store::Table& outgoing, store::Table& incoming, const std::string& programFolder,
                     QWidget* mainWindow)
{
    RebuildInd window(outgoing, incoming, programFolder, mainWindow);
    CenterDialog(window, mainWindow);
    window.Start();
    if (window.Failure())
        std::rethrow_exception(window.Failure());
}

// No event is handled while the tables are rewritten: a timer, a received
// fax or a repaint of a list must not reach a table half-way through its
// pack. The window paints itself at each step instead.
void RebuildInd::Start()
{
    show();
    store::RebuildReport report;
    report.label = [this](const std::string& text) { Label(text); };
    report.progress = [this](int percent) { Gauge(percent); };
    try {
        store::RebuildIndexes(outgoing_, incoming_, programFolder_, report);
    } catch (...) {
        failure_ = std::current_exception();
    }
    accept();
}

void RebuildInd::Label(const std::string& text)
{
    label_->setText(ToQt(text));
    label_->repaint();
}

void RebuildInd::Gauge(int percent)
{
    if (percent == gauge_->value())
        return;
    gauge_->setValue(percent);
    gauge_->repaint();
}

}  // namespace vl::ui
