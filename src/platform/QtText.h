#pragma once

#include <QString>
#include <string>

#include "model/Codepage.h"

// Conversions between Qt's strings and the two byte encodings the program uses:
// UTF-8 at the Platform interface, Windows-1252 in the model.
namespace QtText {

inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A model value as the user sees it.
inline QString FromModel(const std::string& bytes) {
    return FromUtf8(Codepage::ToUtf8(bytes));
}

// What the user typed as model bytes; false, with the refused character, when
// the code page cannot hold it.
inline bool ToModel(const QString& text, std::string& bytes, char32_t* refused = nullptr) {
    return Codepage::FromUtf8(ToUtf8(text), bytes, refused);
}

} // namespace QtText
