// Names a parameterised test case after the "what" of its parameter.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

struct CaseName {
    template <class P> std::string operator()(const ::testing::TestParamInfo<P> &info) const
    {
        std::string name = info.param.what;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    }
};
