#include "ui/VbsHighlighter.h"

#include <QStringList>

#include "display/ScriptCalls.h"

namespace kavro::ui {
namespace {

QTextCharFormat Format(const QColor& colour, bool bold = false) {
  QTextCharFormat format;
  format.setForeground(colour);
  if (bold) format.setFontWeight(QFont::Bold);
  return format;
}

QString WordsPattern(const QStringList& words) {
  return "\\b(" + words.join('|') + ")\\b";
}

}  // namespace

VbsHighlighter::VbsHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document),
      string_(Format(QColor(0xA3, 0x15, 0x15))),
      comment_(Format(QColor(0x00, 0x80, 0x00))) {
  const QStringList keywords = {
      "And",     "As",       "ByRef",    "ByVal",  "Call",   "Case",     "Const", "Dim",
      "Do",      "Each",     "Else",     "ElseIf", "Empty",  "End",      "Eqv",   "Erase",
      "Error",   "Exit",     "Explicit", "False",  "For",    "Function", "Get",   "GoTo",
      "If",      "Imp",      "In",       "Is",     "Let",    "Loop",     "Mod",   "New",
      "Next",    "Not",      "Nothing",  "Null",   "On",     "Option",   "Or",    "Preserve",
      "Private", "Property", "Public",   "ReDim",  "Resume", "Select",   "Set",   "Step",
      "Sub",     "Then",     "To",       "True",   "Until",  "Wend",     "While", "With",
      "Xor"};
  QStringList procedures;
  for (const std::string& name : ScriptProcedureNames()) {
    procedures << QString::fromStdString(name);
  }
  const auto caseless = QRegularExpression::CaseInsensitiveOption;
  rules_.push_back({QRegularExpression("\\b\\d+(\\.\\d+)?([eE][+-]?\\d+)?\\b|&[hH][0-9A-Fa-f]+"),
                    Format(QColor(0x09, 0x86, 0x58))});
  rules_.push_back({QRegularExpression(WordsPattern(keywords), caseless),
                    Format(QColor(0x00, 0x00, 0xC0), true)});
  rules_.push_back({QRegularExpression(WordsPattern(procedures), caseless),
                    Format(QColor(0x80, 0x00, 0x80), true)});
}

void VbsHighlighter::highlightBlock(const QString& text) {
  for (const Rule& rule : rules_) {
    auto matches = rule.pattern.globalMatch(text);
    while (matches.hasNext()) {
      const auto match = matches.next();
      setFormat(static_cast<int>(match.capturedStart()), static_cast<int>(match.capturedLength()),
                rule.format);
    }
  }
  // Strings and comments last, over anything the words found inside them. A quote inside a
  // string is doubled; a ' or Rem outside a string starts a comment to the end of the line.
  int k = 0;
  const int n = static_cast<int>(text.size());
  while (k < n) {
    const QChar c = text[k];
    if (c == '"') {
      int end = k + 1;
      while (end < n) {
        if (text[end] == '"') {
          if (end + 1 < n && text[end + 1] == '"') {
            end += 2;
            continue;
          }
          break;
        }
        ++end;
      }
      const int last = std::min(end, n - 1);
      setFormat(k, last - k + 1, string_);
      k = last + 1;
      continue;
    }
    const bool remark =
        (c == 'R' || c == 'r') && text.mid(k, 3).compare("rem", Qt::CaseInsensitive) == 0 &&
        (k == 0 || !text[k - 1].isLetterOrNumber()) && (k + 3 >= n || text[k + 3].isSpace());
    if (c == '\'' || remark) {
      setFormat(k, n - k, comment_);
      return;
    }
    ++k;
  }
}

}  // namespace kavro::ui
