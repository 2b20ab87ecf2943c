#pragma once

#include <QMainWindow>

namespace varnok {

// The game's top-level window: a fixed-size green card table.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kTableWidth = 760;
    static constexpr int kTableHeight = 500;

    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace varnok
