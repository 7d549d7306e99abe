// A QGuiApplication for the rendering tests (fonts for the chart's texts).
// Include the header in exactly one source file of a test program.
#pragma once

#include <QGuiApplication>

#include "support/qt_environment.h"

inline ::testing::Environment* const kRenderGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment<QGuiApplication>);
