#include "ui/RebuildInd.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "store/IndexRebuild.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// Paints the window between steps of the work; the user's input waits, so
// nothing can reach the tables while they are rewritten.
void LetWindowsPaint()
{
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

RebuildInd::RebuildInd(store::Table& outgoing, store::Table& incoming, std::string programFolder, QWidget* parent)
    : QDialog(parent), outgoing_(outgoing), incoming_(incoming), programFolder_(std::move(programFolder)),
      label_(new QLabel), gauge_(new QProgressBar)
{
    setWindowTitle(QStringLiteral("Rebuild Indexes"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
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
    ExecCentred(window, mainWindow);
    if (window.Failure())
        std::rethrow_exception(window.Failure());
}

void RebuildInd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    QTimer::singleShot(0, this, [this] { Work(); });
}

void RebuildInd::reject()
{
    if (!working_)
        QDialog::reject();
}

void RebuildInd::Work()
{
    working_ = true;
    store::RebuildReport report;
    report.label = [this](const std::string& text) { Label(text); };
    report.progress = [this](int percent) { Gauge(percent); };
    try {
        store::RebuildIndexes(outgoing_, incoming_, programFolder_, report);
    } catch (...) {
        failure_ = std::current_exception();
    }
    working_ = false;
    // Closed from the event loop, after what the work left to paint.
    QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
}

void RebuildInd::Label(const std::string& text)
{
    label_->setText(ToQt(text));
    LetWindowsPaint();
}

void RebuildInd::Gauge(int percent)
{
    if (percent == gauge_->value())
        return;
    gauge_->setValue(percent);
    LetWindowsPaint();
}

}  // namespace vl::ui
