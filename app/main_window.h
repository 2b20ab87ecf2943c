#pragma once

#include <QMainWindow>

#include "settings.h"

namespace varnok {

// The game's top-level window: a fixed-size green card table. It reads the
// options when it is first shown and writes them when it closes.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kTableWidth = 760;
    static constexpr int kTableHeight = 500;

    explicit MainWindow(QWidget* parent = nullptr);

    const Settings& Options() const { return settings_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyOptions();

    Settings settings_;
    bool started_ = false;
};

}  // namespace varnok
