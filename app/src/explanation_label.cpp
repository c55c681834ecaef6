#include "mirelant/app/explanation_label.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace mirelant::app {

ExplanationLabel::ExplanationLabel(const QString& name, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
  setObjectName(name);
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ExplanationLabel::paintEvent(QPaintEvent*) {
  QTextDocument document;
  document.setDocumentMargin(0);
  document.setDefaultFont(font());
  document.setTextWidth(contentsRect().width());
  QString plain = text();
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  document.setPlainText(plain);

  if (document.size().height() > contentsRect().height()) {
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      lines += std::max(1, block.layout()->lineCount());
    }
    const int fitting = contentsRect().height() / std::max(1, lines);
    const int pitch = std::max(fitting, QFontInfo(font()).pixelSize() + 1);
    QTextBlockFormat format;
    format.setLineHeight(pitch, QTextBlockFormat::FixedHeight);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(format);
  }

  QPainter painter(this);
  painter.translate(contentsRect().topLeft());
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette = palette();
  context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
  context.clip = QRectF(QPointF(0, 0), contentsRect().size());
  painter.setClipRect(context.clip);
  document.documentLayout()->draw(&painter, context);
}

}  // namespace mirelant::app
