#include "ui/accessibility/accessibility.h"

#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/value_label.h"
#include "ui/main/main_window.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLabel>

#include <utility>
#include <vector>

namespace {

// A label that shows a value: its name is the caption it stands beside, and its value, and so its
// description, is the text it shows. Assistive technology over AT-SPI reads the description; Qt 6.4
// passes a value as text only to clients of its own API.
class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            return static_cast<const QLabel*>(object())->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

// A position scroll bar: its value as text is its read-out ("18.00 GHz"), given as description too
// for AT-SPI; the numeric value stays the position, which is what setting a value moves.
class PositionScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PositionScrollBarAccessible(PositionScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            return bar()->readoutText();
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    PositionScrollBar* bar() const { return static_cast<PositionScrollBar*>(object()); }
};

// Asked once per object and class name, most derived class first.
QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("PositionScrollBar")) {
        return new PositionScrollBarAccessible(static_cast<PositionScrollBar*>(object));
    }
    if (className == QLatin1String("ValueLabel")) {
        return new ValueLabelAccessible(static_cast<ValueLabel*>(object));
    }
    return nullptr;
}

// Remembers what every value showed when it was last announced, and after an evaluation announces each
// one whose text has changed, once.
class ValueAnnouncer : public QObject {
public:
    ValueAnnouncer(Main& window, AccessibleEventSink announce)
        : QObject(&window)
        , m_announce(announce) {
        for (ValueLabel* label : window.findChildren<ValueLabel*>()) {
            m_shown.push_back({label, label->text()});
        }
        for (PositionScrollBar* bar : window.findChildren<PositionScrollBar*>()) {
            m_shown.push_back({bar, bar->readoutText()});
        }
        connect(&window, &Main::evaluated, this, &ValueAnnouncer::announceChanges);
    }

private:
    struct Shown {
        QWidget* widget;
        QString text;
    };

    static QString textOf(const QWidget* widget) {
        if (const auto* bar = qobject_cast<const PositionScrollBar*>(widget)) {
            return bar->readoutText();
        }
        return static_cast<const QLabel*>(widget)->text();
    }

    // The value travels as the description (see ValueLabelAccessible), so the change is announced as
    // a description change; a value change event would reach AT-SPI only for objects with a numeric
    // value.
    void announceChanges() {
        for (Shown& shown : m_shown) {
            QString text = textOf(shown.widget);
            if (text != shown.text) {
                shown.text = std::move(text);
                QAccessibleEvent event(shown.widget, QAccessible::DescriptionChanged);
                m_announce(&event);
            }
        }
    }

    AccessibleEventSink m_announce;
    std::vector<Shown> m_shown; // children of the window: they live as long as this announcer
};

} // namespace

void InstallAccessibleInterfaces() {
    QAccessible::installFactory(&CreateInterface);
}

bool ShowsValue(const QLabel& label) {
    return qobject_cast<const ValueLabel*>(&label) != nullptr;
}

void AnnounceValueChanges(Main& window, AccessibleEventSink announce) {
    new ValueAnnouncer(window, announce); // a child of the window
}
