#include "dxf/dxfalignment.h"

#include <gtest/gtest.h>

TEST(DxfAlignment, EveryAlignmentSurvivesTheGroups)
{
    for (int value = 0; value <= 14; ++value) {
        const auto alignment = static_cast<DxfAlignment>(value);
        EXPECT_EQ(alignmentFromJustification(justificationFromAlignment(alignment)), alignment)
                << "alignment " << value;
    }
}

TEST(DxfAlignment, GroupsMapToTheAutomationNumbers)
{
    struct Case { int horizontal; int vertical; DxfAlignment expected; };
    const Case cases[] = {
        {0, 0, DxfAlignment::Left},         {1, 0, DxfAlignment::Center},
        {2, 0, DxfAlignment::Right},        {3, 0, DxfAlignment::Aligned},
        {4, 0, DxfAlignment::Middle},       {5, 0, DxfAlignment::Fit},
        {0, 3, DxfAlignment::TopLeft},      {1, 3, DxfAlignment::TopCenter},
        {2, 3, DxfAlignment::TopRight},     {0, 2, DxfAlignment::MiddleLeft},
        {1, 2, DxfAlignment::MiddleCenter}, {2, 2, DxfAlignment::MiddleRight},
        {0, 1, DxfAlignment::BottomLeft},   {1, 1, DxfAlignment::BottomCenter},
        {2, 1, DxfAlignment::BottomRight},
        // Aligned, middle and fit ignore a vertical justification.
        {3, 2, DxfAlignment::Aligned},      {4, 1, DxfAlignment::Middle},
        {5, 3, DxfAlignment::Fit},
        // Values out of range read as their default.
        {9, 0, DxfAlignment::Left},         {1, 7, DxfAlignment::Center},
        {-1, 3, DxfAlignment::TopLeft},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(alignmentFromJustification({c.horizontal, c.vertical}), c.expected)
                << "72=" << c.horizontal << " 73=" << c.vertical;
    }
}
