// The parent-first order against the rule it must reproduce, applied literally.
#include <gtest/gtest.h>

#include <functional>
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

// The shapes that cost a swap-by-swap simulation most, at sizes the literal rule can
// still check: n templates each naming the next as parent.
TEST(ObjectOrder, MatchesTheLiteralRuleOnLongChainsCyclesAndWideTrees) {
    auto chain = [](size_t n, const std::string& prefix, const std::string& rootParent) {
        std::vector<Obj> objs;  // child first: the deepest template leads
        for (size_t i = n; i >= 1; --i)
            objs.push_back({prefix + std::to_string(i), i > 1 ? prefix + std::to_string(i - 1) : rootParent, true});
        return objs;
    };
    const std::vector<std::pair<const char*, std::function<std::vector<Obj>(size_t)>>> shapes = {
        {"one chain listed child first", [&](size_t n) { return chain(n, "c", ""); }},
        {"four chains interleaved",
         [&](size_t n) {
             std::vector<std::vector<Obj>> chains;
             for (const char* prefix : {"a", "b", "c", "d"}) chains.push_back(chain(n / 4 + 1, prefix, ""));
             std::vector<Obj> objs;
             for (size_t i = 0; i < chains[0].size(); ++i)
                 for (const auto& c : chains) objs.push_back(c[i]);
             return objs;
         }},
        {"a chain whose root names a template two links down", [&](size_t n) { return chain(n, "c", "c3"); }},
        {"a chain whose root names a template halfway down", [&](size_t n) { return chain(n, "c", "c" + std::to_string(n / 2)); }},
        {"a chain closed into one cycle", [&](size_t n) { return chain(n, "c", "c" + std::to_string(n)); }},
        {"a chain with instances between its templates",
         [&](size_t n) {
             std::vector<Obj> objs;
             for (const Obj& o : chain(n / 2 + 1, "c", "")) {
                 objs.push_back(o);
                 objs.push_back({"i" + o.name, o.name, false});
             }
             return objs;
         }},
        {"one parent with its children listed first",
         [&](size_t n) {
             std::vector<Obj> objs;
             for (size_t i = 1; i < n; ++i) objs.push_back({"k" + std::to_string(i), "p", true});
             objs.push_back({"p", "", true});
             return objs;
         }},
    };
    for (const auto& [shape, make] : shapes)
        for (size_t n : {3, 4, 9, 40, 121}) {
            const std::vector<Obj> objs = make(n);
            ASSERT_EQ(names(objs, parentFirstOrder(entries(objs))), names(objs, literalOrder(objs))) << shape << ", " << n;
        }
    // Random parents listed children first: runs that enter one another's moved stretches
    // at every point, which short lists seldom do.
    std::mt19937 rng(44);
    for (int round = 0; round < 1000; ++round) {
        const size_t n = 20 + rng() % 31;
        std::vector<Obj> objs(n);
        for (size_t i = 0; i < n; ++i) {
            const size_t id = n - 1 - i, parent = rng() % (n + 1);
            objs[i] = {"o" + std::to_string(id), parent == n ? "" : "o" + std::to_string(parent), rng() % 10 != 0};
        }
        ASSERT_EQ(names(objs, parentFirstOrder(entries(objs))), names(objs, literalOrder(objs))) << "round " << round;
    }
}
