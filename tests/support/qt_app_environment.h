// A QApplication for the widget, pixmap and clipboard tests.
// Include the header in exactly one source file of a test program.
#pragma once

#include <QApplication>

#include "support/qt_environment.h"

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);
