#pragma once

#include <QWidget>
#include <QtGlobal>

class QCheckBox;
class QLineEdit;

namespace zendra {

// 数値を変える with its seed, and 解答を付ける: what the print confirmation and PDFに保存 offer
// alike, so that a PDF can be made as the printer would print it.
class WidgetVaryCopies : public QWidget
{
    Q_OBJECT

public:
    explicit WidgetVaryCopies(QWidget* parent = nullptr);

    // 数値を変える: every copy gets numbers of its own, made from seed() and its number.
    bool vary() const;
    // The seed shown: a new one at every opening, or the one the teacher typed.
    quint64 seed() const;
    // 解答を付ける: each copy is followed by its answer key.
    bool answerKey() const;

    // A dialog that opens shows a new seed.
    void offerNewSeed();
    // A seed typed away is replaced by a new one, shown before the copies carry it.
    void keepASeed();

signals:
    void varyToggled(bool vary);

private:
    QCheckBox* chkVary_;
    QLineEdit* edtSeed_;
    QCheckBox* chkAnswerKey_;
};

} // namespace zendra
