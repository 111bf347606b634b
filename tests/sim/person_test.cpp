#include "app/random.hpp"
#include "sim/commander.hpp"
#include "sim/person.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

TEST(Person, JobSkillsAndStrengths) {
    {
        SCOPED_TRACE("a random job is one of the seven, with one skill at 200 and six at 50");
        seed(77u);
        std::set<int> jobsSeen;
        std::set<bool> sexesSeen;
        for (int i = 0; i < 200; ++i) {
            const person p("PERSON_NAME", nullptr, RANDOM_OCCUPATION);
            ASSERT_GE(p.job, Farmer);
            ASSERT_LE(p.job, Unemployed);
            jobsSeen.insert(p.job);
            sexesSeen.insert(p.isMale);
            ASSERT_EQ(p.skills.size(), 7u);
            EXPECT_EQ(p.skills.at(p.job), 200);
            EXPECT_EQ(
                std::count_if(p.skills.begin(), p.skills.end(), [](const auto& s) { return s.second == 50; }),
                6);
        }
        EXPECT_EQ(jobsSeen.size(), 7u);
        EXPECT_EQ(sexesSeen.size(), 2u);
    }
    {
        SCOPED_TRACE("the job is drawn before the sex");
        seed(5u);
        const int job = randomRange(0, 6);
        const bool male = randomRange(0, 1) != 0;
        seed(5u);
        const person p("PERSON_NAME", nullptr, RANDOM_OCCUPATION);
        EXPECT_EQ(p.job, job);
        EXPECT_EQ(p.isMale, male);
    }
    {
        SCOPED_TRACE("soldiers are ten times as strong as everyone else");
        const person soldier("S", nullptr, Soldier);
        const person farmer("F", nullptr, Farmer);
        const commander leader("L", nullptr, Soldier);
        EXPECT_EQ(soldier.attack, 10);
        EXPECT_EQ(soldier.defence, 10);
        EXPECT_EQ(farmer.attack, 1);
        EXPECT_EQ(farmer.defence, 1);
        EXPECT_EQ(leader.attack, 10);
        EXPECT_TRUE(leader.cities.empty());
        EXPECT_TRUE(soldier.alive);
    }
}
