#pragma once
// VBScript colours for the script pads: keywords, strings, comments, numbers, and the object
// share's 38 procedure names in a colour of their own, so a call to the controller stands out.
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

namespace kavro::ui {

class VbsHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit VbsHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  struct Rule {
    QRegularExpression pattern;
    QTextCharFormat format;
  };
  std::vector<Rule> rules_;
  QTextCharFormat string_;
  QTextCharFormat comment_;
};

}  // namespace kavro::ui
