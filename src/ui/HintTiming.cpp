#include "ui/HintTiming.h"

#include <QApplication>
#include <QEvent>
#include <QProxyStyle>
#include <QWidget>

namespace vl::ui {

namespace {

// The application's own style, with the hint delay changed.
class HintTimingStyle : public QProxyStyle {
public:
    explicit HintTimingStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A widget shows its hint for its own display time; one that has none set
// gets the program's just before its first hint.
class HintDisplayTime : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->toolTipDuration() <= 0)
                widget->setToolTipDuration(kHintDisplayMs);
        }
        return false;
    }
};

}  // namespace

void ApplyHintTiming()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application || dynamic_cast<HintTimingStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new HintTimingStyle(QApplication::style()->name()));
    application->installEventFilter(new HintDisplayTime(application));
}

}  // namespace vl::ui
