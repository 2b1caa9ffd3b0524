#include "window/qt_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <stdexcept>

namespace ld {
namespace {

QString Decode(const char* codec, const Text& bytes) {
  QStringDecoder decoder(codec);
  if (!decoder.isValid()) {
    throw std::runtime_error(std::string("no text codec for ") + codec);
  }
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

Text Encode(const char* codec, const QString& text) {
  QStringEncoder encoder(codec);
  if (!encoder.isValid()) {
    throw std::runtime_error(std::string("no text codec for ") + codec);
  }
  const QByteArray bytes = encoder.encode(text);
  return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

QString FromGbk(const Text& bytes) {
  return Decode("GBK", bytes);
}

Text ToGbk(const QString& text) {
  return Encode("GBK", text);
}

QString FromCodeBoxBytes(const Text& bytes) {
  QString text = Decode("GB18030", bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

Text ToCodeBoxBytes(const QString& text) {
  QString withBreaks = text;
  withBreaks.replace(QChar::ParagraphSeparator, QChar::LineFeed);
  withBreaks.replace(QChar::LineSeparator, QChar::LineFeed);
  withBreaks.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return Encode("GB18030", withBreaks);
}

}  // namespace ld
