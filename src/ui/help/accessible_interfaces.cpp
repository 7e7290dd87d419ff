#include "ui/help/accessible_interfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/drawn/line_widget.h"
#include "ui/drawn/result_field.h"

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

// A result as a screen reader should have it: text that is read-only and not editable, whole
// as the program wrote it, though the field may draw it elided.
class ResultText final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ResultText(ResultField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? whole() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        return state;
    }

    // Nothing in it can be selected, and it has no cursor; its characters are not placed one by
    // one.
    QString text(int start, int end) const override { return whole().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(whole().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QString whole() const { return static_cast<const ResultField*>(widget())->text(); }
};

QAccessibleInterface* interface_for(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String(ResultField::staticMetaObject.className())) {
        return new ResultText(static_cast<ResultField*>(object));
    }
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
