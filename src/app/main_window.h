#pragma once

#include <QMainWindow>

namespace tandel {

inline constexpr const char* kWindowCaption = "Tandel v4.5";

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace tandel
