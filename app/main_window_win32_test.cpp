#include <gtest/gtest.h>
TEST(MainWindow, Placeholder) {}
