#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <memory>

#include "TestRegistry.h"

namespace duvanet::testing {

std::vector<TestEntry>& testRegistry() {
  static std::vector<TestEntry> registry;
  return registry;
}

}  // namespace duvanet::testing

// Usage: <exe> [ClassName|all] [QtTest options...]
int main(int argc, char** argv) {
  QApplication app(argc, argv);
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
