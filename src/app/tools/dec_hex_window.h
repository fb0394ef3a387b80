#pragma once
// "DEC HEX Converter": type a value in any notation, read it in all of them.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace tarvex {

class DecHexWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DecHexWindow(QWidget* parent = nullptr);
    QLineEdit* input() const { return input_; }
    QLabel* decimal() const { return decimal_; }
    QLabel* hex() const { return hex_; }
    QLabel* afs() const { return afs_; }
    QLabel* message() const { return message_; }

  private:
    void convert();
    QLineEdit* input_ = nullptr;
    QLabel* decimal_ = nullptr;
    QLabel* hex_ = nullptr;
    QLabel* afs_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace tarvex
