#pragma once
// CAboutDlg ("About Pinleaf"): the version and two links to the maker's pages.

#include <QDialog>

class CMyLink;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

private:
    CMyLink* homePage_ = nullptr; // 1019
    CMyLink* contact_ = nullptr;  // 1027
};
