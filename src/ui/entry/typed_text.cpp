#include "ui/entry/typed_text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QValidator>

#include <limits>

#include "desktop/desktop.h"

namespace corvandel {

namespace {

// Accepts every text up to the longest, and notes the length of a longer one it refuses.
class LengthLimit final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& text, int&) const override {
        if (text.size() <= longest_typed_text) {
            return Acceptable;
        }
        refused_length_ = text.size();
        return Invalid;
    }

    qsizetype refused_length() const { return refused_length_; }

  private:
    mutable qsizetype refused_length_ = 0;
};

// Alt with a letter reaches nothing in this window, so it types nothing either; AltGr types.
class AltTypesNothing final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<const QKeyEvent*>(event);
        return desktop::typed_with_alt(*key) && !key->text().isEmpty();
    }
};

}  // namespace

// The box's own length limit would cut a longer paste without a word; the validator refuses it
// whole instead.
void take_typed_text_only(QLineEdit* edit) {
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setValidator(new LengthLimit(edit));
    edit->setAcceptDrops(false);
    edit->installEventFilter(new AltTypesNothing(edit));
}

qsizetype refused_length(const QLineEdit* edit) {
    const auto* limit = dynamic_cast<const LengthLimit*>(edit->validator());
    return limit != nullptr ? limit->refused_length() : 0;
}

}  // namespace corvandel
