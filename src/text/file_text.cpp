#include "text/file_text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace zembra {

namespace {

constexpr const char* kFileCodePage = "CP932";
constexpr const char* kInternal = "UTF-8";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class Converter {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (ok()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can. Returns false at the first byte it cannot convert and leaves
    // `in` pointing at it; the output so far is kept.
    bool convert(std::string_view& in, std::string& out)
    {
        std::vector<char> buffer(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        const std::size_t result = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), buffer.size() - dstLeft);
        in = std::string_view(src, srcLeft);
        if (result == static_cast<std::size_t>(-1)) {
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state
            return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string EncodeFileText(std::string_view utf8)
{
    std::string out;
    Converter toFile(kFileCodePage, kInternal);
    std::string_view rest = utf8;
    if (toFile.ok() && IsValidUtf8(utf8) && toFile.convert(rest, out)) {
        return out;
    }
    return std::string(utf8);
}

std::string DecodeFileText(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    Converter fromFile(kInternal, kFileCodePage);
    if (!fromFile.ok()) {
        return std::string(bytes);
    }
    std::string out;
    std::string_view rest = bytes;
    while (!fromFile.convert(rest, out)) {
        out.append(kReplacement);
        rest.remove_prefix(1);
    }
    return out;
}

} // namespace zembra
