#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "model/Codepage.h"
#include "model/Text.h"

// Conversions between Qt's strings and the two byte encodings the program uses:
// UTF-8 at the Platform interface, Windows-1252 in the model. Every pane and window
// shows and takes model values through these.
namespace QtText {

inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A model value (a Text, or any code-page bytes) as the user sees it.
inline QString FromModel(std::string_view bytes) {
    return FromUtf8(Codepage::ToUtf8(bytes));
}

// What the user typed as model bytes; false, with the refused character, when
// the code page cannot hold it.
inline bool ToModel(const QString& text, std::string& bytes, char32_t* refused = nullptr) {
    return Codepage::FromUtf8(ToUtf8(text), bytes, refused);
}

// The same into a model field, which then owns its bytes; the field is left as it
// was when the text is refused.
inline bool ToModel(const QString& text, Text& field, char32_t* refused = nullptr) {
    std::string bytes;
    if (!ToModel(text, bytes, refused)) {
        return false;
    }
    field = bytes;
    return true;
}

} // namespace QtText
