#include "ui/widgets/entry_field_filter.h"

#include "input/key_filters.h"
#include "ui/widgets/dialog_service.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <optional>

namespace selmarind {

namespace {

enum class FieldKind { Name, Coordinate };

QString MessageText(std::string_view message) {
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

// Shows a refusal once the event that caused it is over: a modal box opened
// inside a key event or an edit would run its own event loop in the middle of
// the field's handling. A field destroyed meanwhile shows nothing.
void ShowRefusalLater(QLineEdit* field, std::string_view message, MessageIcon icon) {
    QMetaObject::invokeMethod(
        field,
        [field, text = MessageText(message), dialogIcon = ToDialogIcon(icon)] {
            Dialogs().showMessage(field->window(), text, dialogIcon);
        },
        Qt::QueuedConnection);
}

// The character code a key press would put into the field, or nothing for a
// key that inserts no character (arrows, Tab, Home, End, Delete, Escape,
// function keys) and for shortcuts with Ctrl, Alt or Meta, which the field
// handles itself; a paste among them reaches the text filter.
std::optional<char32_t> TypedCode(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnterCode;
    case Qt::Key_Backspace:
        return kBackspaceCode;
    default:
        break;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return std::nullopt;
    }
    const std::u32string text = key.text().toStdU32String();
    if (text.size() != 1 || text[0] < 32 || text[0] == 127) {
        // Several characters at once (a composed sequence) are left to the
        // text filter.
        return std::nullopt;
    }
    return text[0];
}

// The gate of every change to the field's text.
class FieldTextValidator final : public QValidator {
public:
    FieldTextValidator(FieldKind kind, std::size_t maxLength, QObject* parent)
        : QValidator(parent), kind_(kind), maxLength_(maxLength) {}

    State validate(QString& input, int& /*pos*/) const override {
        const std::u32string text = input.toStdU32String();
        last_ = kind_ == FieldKind::Name ? FilterNameText(text)
                                         : FilterCoordinateText(text, maxLength_);
        if (last_.verdict != TextVerdict::Accepted) {
            return Invalid;
        }
        // The accepted text differs at most in the case of its letters, so
        // the cursor stays where it is.
        input = QString::fromStdU32String(last_.text);
        return Acceptable;
    }

    const TextFilterResult& lastResult() const { return last_; }

private:
    FieldKind kind_;
    std::size_t maxLength_;
    mutable TextFilterResult last_;
};

class TypedKeyFilter final : public QObject {
public:
    TypedKeyFilter(FieldKind kind, QLineEdit* field) : QObject(field), kind_(kind), field_(field) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != field_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const std::optional<char32_t> code = TypedCode(*static_cast<QKeyEvent*>(event));
        if (!code) {
            return false;
        }
        const KeyFilterResult result =
            kind_ == FieldKind::Name ? FilterNameKey(*code) : FilterCoordinateKey(*code);
        if (result.code == 0) {
            ShowRefusalLater(field_, result.message, result.icon);
            return true;
        }
        if (result.code != *code) {
            field_->insert(QString::fromStdU32String(std::u32string(1, result.code)));
            return true;
        }
        return false;
    }

private:
    FieldKind kind_;
    QLineEdit* field_;
};

void Install(QLineEdit* field, FieldKind kind, std::size_t maxLength) {
    auto* validator = new FieldTextValidator(kind, maxLength, field);
    field->setValidator(validator);
    field->installEventFilter(new TypedKeyFilter(kind, field));

    // The field undoes the refused edit right after this signal; the message
    // waits until that edit (a paste, a drop) is over.
    QObject::connect(field, &QLineEdit::inputRejected, field, [field, validator] {
        const TextFilterResult& result = validator->lastResult();
        if (result.verdict == TextVerdict::WrongCharacters) {
            ShowRefusalLater(field, result.message, result.icon);
        }
    });
}

} // namespace

void InstallNameFilter(QLineEdit* field) {
    Install(field, FieldKind::Name, 0);
}

void InstallCoordinateFilter(QLineEdit* field, std::size_t maxLength) {
    Install(field, FieldKind::Coordinate, maxLength);
}

} // namespace selmarind
