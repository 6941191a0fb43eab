#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QToolBar>

namespace corvantel::test {

// The descendant of `parent` with the object name `name`; a missing one fails the test.
template <typename T>
T* child(const QObject* parent, const char* name) {
  T* found = parent->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << "no child named " << name;
  return found;
}

}  // namespace corvantel::test
