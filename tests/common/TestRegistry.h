#pragma once

#include <QObject>
#include <functional>
#include <vector>

// Every test file registers its QtTest classes here; one executable per layer runs them, and
// CTest runs each class as a test of its own (the class name is the first argument).
namespace duvanet::testing {

struct TestEntry {
  const char* name;
  std::function<QObject*()> make;
};

std::vector<TestEntry>& testRegistry();

struct TestRegistrar {
  TestRegistrar(const char* name, std::function<QObject*()> make) {
    testRegistry().push_back({name, std::move(make)});
  }
};

}  // namespace duvanet::testing

#define DUVANET_TEST(Class)                                             \
  static const duvanet::testing::TestRegistrar duvanetRegistrar##Class( \
      #Class, [] { return static_cast<QObject*>(new Class); });
