// The yardstick of the program's start-up: a bare Qt window of the main window's size,
// started the same way, that ends as soon as it has painted once; given a path, it first
// writes itself there as PNG, as the program's screenshot run does.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <utility>

namespace {

class BareWindow : public QWidget {
  public:
    explicit BareWindow(QString path) : path_(std::move(path)) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x15, 0x18, 0x1D));
        if (!painted_) {
            painted_ = true;
            std::fputs("first paint\n", stderr);
            QTimer::singleShot(0, this, [this] {
                if (!path_.isEmpty() && grab().save(path_, "PNG"))
                    std::fputs("screenshot written\n", stderr);
                QApplication::quit();
            });
        }
    }

  private:
    QString path_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    window.resize(1000, 640);
    window.show();
    return app.exec();
}
