#pragma once
// Test helper: GBK bytes of a UTF-8 literal, so tests can be written in readable text.

#include <iconv.h>

#include <stdexcept>
#include <string>

inline std::string gbk(const std::string &utf8)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no GBK converter");
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char *src = in.data();
    char *dst = out.data();
    size_t srcLeft = in.size();
    size_t dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        throw std::runtime_error("text not representable in GBK");
    out.resize(out.size() - dstLeft);
    return out;
}
