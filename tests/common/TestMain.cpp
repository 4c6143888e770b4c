#include <QTest>
#include <cstdio>
#include <cstring>
#include <memory>

#if defined(DUVANET_TEST_APPLICATION_Widgets)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(DUVANET_TEST_APPLICATION_Gui)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include "ListedTestClasses.h"
#include "TestRegistry.h"

namespace duvanet::testing {

std::vector<TestEntry>& testRegistry() {
  static std::vector<TestEntry> registry;
  return registry;
}

namespace {

bool isListed(const char* name) {
  for (const char* listed : kListedTestClasses)
    if (std::strcmp(listed, name) == 0) return true;
  return false;
}

int registrations(const char* name) {
  int count = 0;
  for (const TestEntry& entry : testRegistry())
    if (std::strcmp(entry.name, name) == 0) ++count;
  return count;
}

// CTest runs the listed classes only: a class compiled in but not listed would never run, and a
// listed class that is not compiled in would fail only when its test runs.
int checkListed(const char* program) {
  int problems = 0;
  for (const TestEntry& entry : testRegistry()) {
    if (!isListed(entry.name)) {
      std::fprintf(stderr, "%s: test class %s is compiled in but not listed in %s (CLASSES)\n",
                   program, entry.name, kListedTestsFile);
      ++problems;
    }
  }
  for (const char* listed : kListedTestClasses) {
    const int count = registrations(listed);
    if (count == 0) {
      std::fprintf(stderr, "%s: test class %s is listed in %s but not compiled in\n", program,
                   listed, kListedTestsFile);
      ++problems;
    } else if (count > 1) {
      std::fprintf(stderr, "%s: test class %s is registered %d times\n", program, listed, count);
      ++problems;
    }
  }
  return problems == 0 ? 0 : 1;
}

}  // namespace

}  // namespace duvanet::testing

// Usage: <exe> [ClassName|all] [QtTest options...], or <exe> --check-listed
int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--check-listed") == 0)
    return duvanet::testing::checkListed(argv[0]);
  TestApplication app(argc, argv);
  const char* wanted = argc > 1 ? argv[1] : "all";
  // QtTest sees the program name and the options after the class name.
  std::vector<char*> testArgs{argv[0]};
  for (int i = 2; i < argc; ++i) testArgs.push_back(argv[i]);

  int failures = 0;
  bool found = false;
  for (const auto& entry : duvanet::testing::testRegistry()) {
    if (std::strcmp(wanted, "all") != 0 && std::strcmp(wanted, entry.name) != 0) continue;
    found = true;
    std::unique_ptr<QObject> test(entry.make());
    failures += QTest::qExec(test.get(), static_cast<int>(testArgs.size()), testArgs.data());
  }
  if (!found) {
    std::fprintf(stderr, "no test class named %s\n", wanted);
    return 2;
  }
  return failures == 0 ? 0 : 1;
}
