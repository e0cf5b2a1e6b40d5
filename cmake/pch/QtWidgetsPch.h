// The Qt headers the windows share; parsing them dominates a window file's
// compile time, so each window target compiles them once.
#pragma once
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QString>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
