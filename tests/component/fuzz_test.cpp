// Whatever a host passes, every class answers with a status: random ids, kinds and arguments.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "plexion/component/automation.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion::component {
namespace {

class Fuzzer {
 public:
  explicit Fuzzer(unsigned seed) : rng_(seed) {}

  Variant Value(const std::vector<Ref<Object>>& objects) {
    switch (Pick(14)) {
      case 0: return Variant();
      case 1: return Variant::Null();
      case 2: return Variant(static_cast<std::int16_t>(Pick(65536) - 32768));
      case 3: return Variant(static_cast<std::int32_t>(rng_()));
      case 4: {
        const double specials[] = {0.5,     -2.5,         1e300,
                                   -1e300,  std::nan(""), std::numeric_limits<double>::infinity(),
                                   65535.0, 3e9};
        return Variant(specials[Pick(8)]);
      }
      case 5: {
        const char* texts[] = {"",           "x",         "12",   "-1",     "1e999",
                               "12/31/2036", "2/30/2024", "True", "&HFFFF", "O'Brien",
                               "\xff\xfe",   "Data load", "N",    "I"};
        return Variant(texts[Pick(14)]);
      }
      case 6: return Variant(Pick(2) == 0);
      case 7: return Variant(DateTime(static_cast<double>(Pick(200000)) - 100000.0));
      case 8: return Variant::Nothing();
      case 9: return objects.empty() ? Variant() : Variant(objects[Pick(objects.size())]);
      case 10: {
        StringArray a(static_cast<std::int32_t>(Pick(3)), static_cast<std::int32_t>(Pick(4)));
        return Variant(a);
      }
      case 11: return Variant(StringArray());
      case 12: {
        refs_.push_back(std::make_unique<Variant>(Value(objects)));
        return Variant::RefTo(*refs_.back());
      }
      default: return Variant(DateTime(std::numeric_limits<double>::quiet_NaN()));
    }
  }

  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }

 private:
  std::mt19937 rng_;
  std::vector<std::unique_ptr<Variant>> refs_;
};

TEST(DispatchFuzz, EveryClassAnswersRandomCallsWithStatusCodes) {
  testing::InstalledDoubles doubles;
  Fuzzer fuzz(20261205);
  std::size_t calls = 0, succeeded = 0;
  for (const ClassInfo& cls : GetTypeLibrary().classes) {
    SCOPED_TRACE(std::string(cls.name));
    Ref<Object> object = cls.create();
    std::vector<Ref<Object>> objects;
    for (const ClassInfo& other : GetTypeLibrary().classes) objects.push_back(other.create());
    std::vector<DispId> ids;
    for (const MemberInfo& m : cls.defaultInterface->members()) ids.push_back(m.id);
    for (int i = 0; i < 1500; ++i) {
      const DispId id =
          fuzz.Pick(5) == 0 ? static_cast<DispId>(fuzz.Pick(1u << 31)) : ids[fuzz.Pick(ids.size())];
      const auto kinds = static_cast<InvokeKind>(1 + fuzz.Pick(15));
      std::vector<Variant> args;
      const std::size_t n = fuzz.Pick(5);
      for (std::size_t a = 0; a < n; ++a) args.push_back(fuzz.Value(objects));
      const InvokeResult r = Invoke(*object, id, kinds, args);
      ++calls;
      if (r.ok()) ++succeeded;
      else EXPECT_NE(r.error.scode, status::Fail) << "a stray exception: " << r.error.description;
    }
  }
  EXPECT_GT(succeeded, calls / 50) << "the fuzzer also reaches the members' bodies";
}

}  // namespace
}  // namespace plexion::component
