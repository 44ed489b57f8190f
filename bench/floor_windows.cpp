// The floor for the note benchmark: the least a Qt 6 program must do to put N frameless
// windows with a word-wrapped label each on the screen, plus one panel-sized window (the
// program always shows its panel too). Same sizes, places and texts as make_stores writes.
//   floor_windows N [--rolled]

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 0;
    const bool rolled = argc > 2 && std::strcmp(argv[2], "--rolled") == 0;

    QWidget panel(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    panel.setWindowTitle(QStringLiteral("FloorPanel"));
    panel.setGeometry(1000, 680, 259, 334);
    panel.show();

    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < count; ++i) {
        auto window = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        window->setWindowTitle(QStringLiteral("FloorNote"));
        const int left = (i % 25) * 48 + (i / 25) % 4;
        const int top = (i / 25 % 8) * 110 + 5;
        window->setGeometry(left, rolled ? 20 - 140 : top, 120, 140);
        auto* label = new QLabel(
            QStringLiteral("Note %1: a few words to wrap over some lines of the note.").arg(i),
            window.get());
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(8, 23, 104, 94);
        window->show();
        windows.push_back(std::move(window));
    }
    return app.exec();
}
