#include "values/BigDec.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <vector>

namespace ifxsim {

BigDec BigDec::fromInt(int64_t v) {
    BigDec d;
    d.neg_ = v < 0;
    uint64_t mag = v < 0 ? uint64_t(0) - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    d.digits_ = mag == 0 ? std::string() : std::to_string(mag);
    d.normalize();
    return d;
}

BigDec BigDec::fromParts(bool negative, std::string digits, int exp) {
    BigDec d;
    d.neg_ = negative;
    d.digits_ = std::move(digits);
    d.exp_ = exp;
    d.normalize();
    return d;
}

void BigDec::normalize() {
    size_t first = digits_.find_first_not_of('0');
    if (first == std::string::npos) {
        digits_.clear();
        exp_ = 0;
        neg_ = false;
        return;
    }
    digits_.erase(0, first);
    size_t last = digits_.find_last_not_of('0');
    exp_ += static_cast<int>(digits_.size() - 1 - last);
    digits_.resize(last + 1);
}

BigDec BigDec::negated() const {
    BigDec d = *this;
    if (!d.isZero())
        d.neg_ = !d.neg_;
    return d;
}

BigDec BigDec::abs() const {
    BigDec d = *this;
    d.neg_ = false;
    return d;
}

BigDec BigDec::roundedToPlaces(int places, bool truncate) const {
    if (isZero() || exp_ >= -places)
        return *this;
    // Digits right of 10^-places are dropped.
    long drop = static_cast<long>(-places) - exp_;
    long len = static_cast<long>(digits_.size());
    BigDec r;
    r.neg_ = neg_;
    r.exp_ = -places;
    bool roundUp = false;
    if (drop > len) {
        r.digits_.clear();
    } else {
        r.digits_ = digits_.substr(0, static_cast<size_t>(len - drop));
        roundUp = !truncate && digits_[static_cast<size_t>(len - drop)] >= '5';
    }
    if (roundUp) {
        // Add one unit in the last kept place.
        std::string &s = r.digits_;
        int i = static_cast<int>(s.size()) - 1;
        while (i >= 0 && s[static_cast<size_t>(i)] == '9') {
            s[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0)
            s.insert(s.begin(), '1');
        else
            ++s[static_cast<size_t>(i)];
    }
    r.normalize();
    if (r.isZero())
        r.neg_ = false;
    return r;
}

BigDec BigDec::roundedToSignificant(int n) const {
    if (static_cast<int>(digits_.size()) <= n)
        return *this;
    // The last kept digit sits at 10^(pointPos - n).
    return roundedToPlaces(n - pointPos());
}

int BigDec::compareMagnitude(const BigDec &a, const BigDec &b) {
    if (a.isZero() || b.isZero())
        return a.isZero() ? (b.isZero() ? 0 : -1) : 1;
    if (a.pointPos() != b.pointPos())
        return a.pointPos() < b.pointPos() ? -1 : 1;
    // Same magnitude order: compare digit strings, shorter padded with zeros.
    size_t n = std::max(a.digits_.size(), b.digits_.size());
    for (size_t i = 0; i < n; ++i) {
        char ca = i < a.digits_.size() ? a.digits_[i] : '0';
        char cb = i < b.digits_.size() ? b.digits_[i] : '0';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

int BigDec::compare(const BigDec &a, const BigDec &b) {
    if (a.neg_ != b.neg_)
        return a.neg_ ? -1 : 1;
    int m = compareMagnitude(a, b);
    return a.neg_ ? -m : m;
}

// Both coefficients are written with the common (smaller) exponent.
static void align(const std::string &da, int ea, const std::string &db, int eb, std::string &oa,
                  std::string &ob, int &e) {
    e = std::min(ea, eb);
    oa = da + std::string(static_cast<size_t>(ea - e), '0');
    ob = db + std::string(static_cast<size_t>(eb - e), '0');
    size_t n = std::max(oa.size(), ob.size());
    oa.insert(0, n - oa.size(), '0');
    ob.insert(0, n - ob.size(), '0');
}

BigDec BigDec::addMagnitudes(const BigDec &a, const BigDec &b) {
    std::string x, y;
    int e = 0;
    align(a.digits_, a.exp_, b.digits_, b.exp_, x, y, e);
    std::string out(x.size() + 1, '0');
    int carry = 0;
    for (size_t i = x.size(); i-- > 0;) {
        int s = (x[i] - '0') + (y[i] - '0') + carry;
        out[i + 1] = static_cast<char>('0' + s % 10);
        carry = s / 10;
    }
    out[0] = static_cast<char>('0' + carry);
    return fromParts(false, out, e);
}

BigDec BigDec::subMagnitudes(const BigDec &a, const BigDec &b) {
    std::string x, y;
    int e = 0;
    align(a.digits_, a.exp_, b.digits_, b.exp_, x, y, e);
    std::string out(x.size(), '0');
    int borrow = 0;
    for (size_t i = x.size(); i-- > 0;) {
        int s = (x[i] - '0') - (y[i] - '0') - borrow;
        borrow = s < 0;
        out[i] = static_cast<char>('0' + (s + 10) % 10);
    }
    return fromParts(false, out, e);
}

BigDec BigDec::add(const BigDec &a, const BigDec &b) {
    if (a.isZero())
        return b;
    if (b.isZero())
        return a;
    BigDec r;
    if (a.neg_ == b.neg_) {
        r = addMagnitudes(a, b);
        r.neg_ = a.neg_;
    } else if (compareMagnitude(a, b) >= 0) {
        r = subMagnitudes(a, b);
        r.neg_ = a.neg_;
    } else {
        r = subMagnitudes(b, a);
        r.neg_ = b.neg_;
    }
    if (r.isZero())
        r.neg_ = false;
    return r;
}

BigDec BigDec::sub(const BigDec &a, const BigDec &b) { return add(a, b.negated()); }

BigDec BigDec::mul(const BigDec &a, const BigDec &b) {
    if (a.isZero() || b.isZero())
        return BigDec();
    const std::string &x = a.digits_, &y = b.digits_;
    std::vector<int> acc(x.size() + y.size(), 0);
    for (size_t i = x.size(); i-- > 0;)
        for (size_t j = y.size(); j-- > 0;)
            acc[i + j + 1] += (x[i] - '0') * (y[j] - '0');
    for (size_t k = acc.size(); k-- > 1;) {
        acc[k - 1] += acc[k] / 10;
        acc[k] %= 10;
    }
    std::string out;
    out.reserve(acc.size());
    for (int v : acc)
        out.push_back(static_cast<char>('0' + v));
    return fromParts(a.neg_ != b.neg_, out, a.exp_ + b.exp_);
}

BigDec BigDec::div(const BigDec &a, const BigDec &b, int sigDigits) {
    if (a.isZero())
        return BigDec();
    // floor(A·10^k / B) on the integer coefficients, k chosen so the quotient
    // has at least sigDigits digits.
    int k = std::max(0, sigDigits + static_cast<int>(b.digits_.size()) -
                            static_cast<int>(a.digits_.size()) + 1);
    std::string num = a.digits_ + std::string(static_cast<size_t>(k), '0');
    BigDec denom = fromParts(false, b.digits_, 0);
    BigDec rem;
    BigDec ten = fromInt(10);
    std::string quotient;
    for (char c : num) {
        rem = add(mul(rem, ten), fromInt(c - '0'));
        int q = 0;
        while (compareMagnitude(rem, denom) >= 0) {
            rem = subMagnitudes(rem, denom);
            ++q;
        }
        quotient.push_back(static_cast<char>('0' + q));
    }
    return fromParts(a.neg_ != b.neg_, quotient, a.exp_ - b.exp_ - k);
}

double BigDec::toDouble() const {
    if (isZero())
        return 0.0;
    std::string text = (neg_ ? "-" : "") + digits_ + "e" + std::to_string(exp_);
    return std::strtod(text.c_str(), nullptr);
}

std::string BigDec::toPlain(int fracDigits) const {
    std::string out;
    if (neg_ && !roundedToPlaces(fracDigits, true).isZero())
        out.push_back('-');
    int point = pointPos();
    // Integer part.
    if (point <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < point; ++i)
            out.push_back(i < static_cast<int>(digits_.size()) ? digits_[static_cast<size_t>(i)] : '0');
    }
    if (fracDigits > 0) {
        out.push_back('.');
        for (int k = 0; k < fracDigits; ++k) {
            int idx = point + k;  // index into digits_
            out.push_back(idx >= 0 && idx < static_cast<int>(digits_.size())
                              ? digits_[static_cast<size_t>(idx)]
                              : '0');
        }
    }
    return out;
}

bool BigDec::toInt64(int64_t &out) const {
    BigDec t = roundedToPlaces(0, true);
    if (t.isZero()) {
        out = 0;
        return true;
    }
    if (t.pointPos() > 19)
        return false;
    std::string text = t.toPlain(0);
    errno = 0;
    char *end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE)
        return false;
    out = v;
    return true;
}

}  // namespace ifxsim
