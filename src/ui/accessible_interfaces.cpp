#include "ui/accessible_interfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/line_widget.h"

namespace corvandel {

namespace {

// Spoken by its name, as any other control, with its shown text as its value; the screen
// reader's action opens its list.
class NamedDropDown final : public QAccessibleWidget {
  public:
    explicit NamedDropDown(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = box()->isEditable();
        state.expandable = true;
        return state;
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            box()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

  private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// A line only divides what is around it: a separator, with nothing to say.
class Separator final : public QAccessibleWidget {
  public:
    explicit Separator(QWidget* line) : QAccessibleWidget(line, QAccessible::Separator) {}

    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* interface_for(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String(LineWidget::staticMetaObject.className())) {
        return new Separator(static_cast<QWidget*>(object));
    }
    if (class_name == QLatin1String(QComboBox::staticMetaObject.className())) {
        return new NamedDropDown(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

}  // namespace

void install_accessible_interfaces() {
    QAccessible::installFactory(&interface_for);
}

}  // namespace corvandel
