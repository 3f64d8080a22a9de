// The parent-first order against the rule it must reproduce, applied literally.
#include <gtest/gtest.h>

#include <random>

#include "export/object_order.h"

using namespace pondaro;

namespace {

struct Obj {
    std::string name;
    std::string parent;
    bool isTemplate;
};

std::vector<OrderEntry> entries(const std::vector<Obj>& objs) {
    std::vector<OrderEntry> e;
    for (const auto& o : objs) e.push_back({&o.name, &o.parent, o.isTemplate});
    return e;
}

// n times over, every i, every j: a template at i whose parent is the name at j > i
// changes places with it.
std::vector<size_t> literalOrder(const std::vector<Obj>& objs) {
    const size_t n = objs.size();
    std::vector<size_t> at(n);
    for (size_t i = 0; i < n; ++i) at[i] = i;
    for (size_t pass = 0; pass < n; ++pass)
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j)
                if (objs[at[i]].isTemplate && objs[at[i]].parent == objs[at[j]].name && j > i) std::swap(at[i], at[j]);
    return at;
}

std::vector<std::string> names(const std::vector<Obj>& objs, const std::vector<size_t>& order) {
    std::vector<std::string> out;
    for (size_t i : order) out.push_back(objs[i].name);
    return out;
}

} // namespace

TEST(ObjectOrder, AChainListedInReverseComesOutParentFirst) {
    std::vector<Obj> objs = {{"grandchild", "child", true}, {"inst", "", false}, {"child", "parent", true},
                             {"parent", "", true}};
    auto order = parentFirstOrder(entries(objs));
    EXPECT_EQ(names(objs, order), names(objs, literalOrder(objs)));
    auto pos = [&](const std::string& n) {
        auto v = names(objs, order);
        return std::find(v.begin(), v.end(), n) - v.begin();
    };
    EXPECT_LT(pos("parent"), pos("child"));
    EXPECT_LT(pos("child"), pos("grandchild"));
    EXPECT_EQ(pos("inst"), 1);  // entries without parent links stay where they are
}

TEST(ObjectOrder, ACycleOfParentsEndsWhereTheLiteralRuleEnds) {
    // Two templates that name each other swap on every pass: the result depends on
    // how many entries the list has.
    for (size_t extra = 0; extra < 4; ++extra) {
        std::vector<Obj> objs = {{"a", "b", true}, {"b", "a", true}};
        for (size_t k = 0; k < extra; ++k) objs.push_back({"x" + std::to_string(k), "", false});
        EXPECT_EQ(names(objs, parentFirstOrder(entries(objs))), names(objs, literalOrder(objs))) << extra;
    }
}

TEST(ObjectOrder, MatchesTheLiteralRuleOnRandomLists) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 3000; ++round) {
        const size_t n = 1 + rng() % 18;
        const bool duplicates = round % 5 == 0;
        std::vector<Obj> objs(n);
        for (size_t i = 0; i < n; ++i) {
            objs[i].name = duplicates ? "o" + std::to_string(rng() % (n / 2 + 1)) : "o" + std::to_string(i);
            objs[i].isTemplate = rng() % 4 != 0;
            switch (rng() % 5) {
            case 0: objs[i].parent = ""; break;
            case 1: objs[i].parent = "missing"; break;
            default: objs[i].parent = "o" + std::to_string(rng() % n); break;
            }
        }
        ASSERT_EQ(names(objs, parentFirstOrder(entries(objs))), names(objs, literalOrder(objs))) << "round " << round;
    }
}

TEST(ObjectOrder, DeepChainsAndBigListsMatchToo) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        const size_t n = 60 + rng() % 60;
        std::vector<Obj> objs(n);
        std::vector<size_t> perm(n);
        for (size_t i = 0; i < n; ++i) perm[i] = i;
        std::shuffle(perm.begin(), perm.end(), rng);
        // A long chain in shuffled order, instances in between, and a cycle now and then.
        for (size_t i = 0; i < n; ++i) {
            size_t id = perm[i];
            objs[i].name = "o" + std::to_string(id);
            objs[i].isTemplate = id % 7 != 3;
            objs[i].parent = id == 0 ? (round % 3 == 0 ? "o" + std::to_string(n - 1) : "") : "o" + std::to_string(id - 1);
        }
        ASSERT_EQ(names(objs, parentFirstOrder(entries(objs))), names(objs, literalOrder(objs))) << "round " << round;
    }
}
