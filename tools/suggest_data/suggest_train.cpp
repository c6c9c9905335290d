// suggest_train: learns the romanization model that the suggestion engine
// ships, from romanized word pairs (native word, romanization, how many
// people wrote it), and writes it as text.
//
// Each pair is cut into "graphones": a chunk of 1-3 Latin letters written
// for a chunk of 1-2 Devanagari characters. EM over all the pairs finds how
// likely each graphone is; every pair is then cut along its likeliest path,
// and the graphone sequences give a trigram model with absolute discounting.
// A word's candidates are the Devanagari sides of the likeliest graphone
// sequences that spell its Latin letters.
//
// Reproducible: the same pairs give the same file, byte for byte.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kMaxLatin = 3;
constexpr int kMaxNative = 2;
constexpr int kIterations = 6;
constexpr double kDiscount = 0.9;
constexpr int kOrder = 3;

struct Pair {
  std::string native;  // one byte per character: code point - 0x900 + 0x80
  std::string latin;
  double weight;
};

// Devanagari UTF-8 to one byte per character; false for anything else.
bool native_bytes(const std::string& utf8, std::string* out) {
  out->clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char b0 = utf8[i];
    if (b0 != 0xE0 || i + 2 >= utf8.size()) return false;
    const unsigned cp = ((b0 & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
    if (cp < 0x900 || cp > 0x97F) return false;
    out->push_back(static_cast<char>(cp - 0x900 + 0x80));
    i += 3;
  }
  return !out->empty();
}

std::string native_utf8(const std::string& bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    const unsigned cp = b - 0x80u + 0x900u;
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

std::string key(const std::string& latin, const std::string& native) { return latin + '\t' + native; }

bool read_pairs(const char* path, std::vector<Pair>* pairs) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "suggest_train: cannot open %s\n", path);
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::size_t t1 = line.find('\t');
    const std::size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string::npos) {
      std::fprintf(stderr, "suggest_train: %s line %d: expected three columns\n", path, number);
      return false;
    }
    Pair p;
    std::string latin = line.substr(t1 + 1, t2 - t1 - 1);
    bool ok = native_bytes(line.substr(0, t1), &p.native) && !latin.empty();
    for (char& c : latin) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c < 'a' || c > 'z') ok = false;
    }
    if (!ok) continue;  // a word with other letters teaches nothing here
    p.latin = latin;
    // Each romanization counts once: weighing it by how many people wrote it
    // made the model worse on the development split (top-1 48.4% against 49.2%).
    p.weight = 1;
    pairs->push_back(p);
  }
  return true;
}

// One EM pass: expected graphone counts under `prob` (forward-backward).
void expect(const std::vector<Pair>& pairs, const std::unordered_map<std::string, double>& prob,
            std::unordered_map<std::string, double>* counts) {
  std::vector<double> alpha, beta;
  for (const Pair& p : pairs) {
    const int n = static_cast<int>(p.latin.size()), m = static_cast<int>(p.native.size());
    const int w = m + 1;
    alpha.assign((n + 1) * w, 0.0);
    beta.assign((n + 1) * w, 0.0);
    auto pr = [&](int i, int k, int j, int l) {
      if (prob.empty()) return 1.0;
      auto it = prob.find(key(p.latin.substr(i, k), p.native.substr(j, l)));
      return it == prob.end() ? 0.0 : it->second;
    };
    alpha[0] = 1;
    for (int i = 0; i <= n; ++i)
      for (int j = 0; j <= m; ++j) {
        const double a = alpha[i * w + j];
        if (a == 0) continue;
        for (int k = 1; k <= kMaxLatin && i + k <= n; ++k)
          for (int l = 1; l <= kMaxNative && j + l <= m; ++l) alpha[(i + k) * w + j + l] += a * pr(i, k, j, l);
      }
    const double total = alpha[n * w + m];
    if (total <= 0) continue;
    beta[n * w + m] = 1;
    for (int i = n; i >= 0; --i)
      for (int j = m; j >= 0; --j) {
        if (i == n && j == m) continue;
        double b = 0;
        for (int k = 1; k <= kMaxLatin && i + k <= n; ++k)
          for (int l = 1; l <= kMaxNative && j + l <= m; ++l) b += pr(i, k, j, l) * beta[(i + k) * w + j + l];
        beta[i * w + j] = b;
      }
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < m; ++j) {
        const double a = alpha[i * w + j];
        if (a == 0) continue;
        for (int k = 1; k <= kMaxLatin && i + k <= n; ++k)
          for (int l = 1; l <= kMaxNative && j + l <= m; ++l) {
            const double c = a * pr(i, k, j, l) * beta[(i + k) * w + j + l] / total;
            if (c > 1e-9) (*counts)[key(p.latin.substr(i, k), p.native.substr(j, l))] += c * p.weight;
          }
      }
  }
}

// The likeliest cut of a pair into graphones; empty when there is none.
std::vector<std::string> viterbi(const Pair& p, const std::unordered_map<std::string, double>& prob) {
  const int n = static_cast<int>(p.latin.size()), m = static_cast<int>(p.native.size());
  const int w = m + 1;
  std::vector<double> best((n + 1) * w, -1e300);
  std::vector<int> back((n + 1) * w, -1);
  best[0] = 0;
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j <= m; ++j) {
      if (best[i * w + j] <= -1e299) continue;
      for (int k = 1; k <= kMaxLatin && i + k <= n; ++k)
        for (int l = 1; l <= kMaxNative && j + l <= m; ++l) {
          auto it = prob.find(key(p.latin.substr(i, k), p.native.substr(j, l)));
          if (it == prob.end() || it->second <= 0) continue;
          const double s = best[i * w + j] + std::log(it->second);
          if (s > best[(i + k) * w + j + l]) {
            best[(i + k) * w + j + l] = s;
            back[(i + k) * w + j + l] = k * 16 + l;
          }
        }
    }
  std::vector<std::string> out;
  if (back[n * w + m] < 0) return out;
  for (int i = n, j = m; i > 0 || j > 0;) {
    const int k = back[i * w + j] / 16, l = back[i * w + j] % 16;
    out.push_back(key(p.latin.substr(i - k, k), p.native.substr(j - l, l)));
    i -= k;
    j -= l;
  }
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: suggest_train PAIRS.tsv MODEL.out\n", stderr);
    return 2;
  }
  std::vector<Pair> pairs;
  if (!read_pairs(argv[1], &pairs)) return 1;

  std::unordered_map<std::string, double> prob;
  for (int it = 0; it < kIterations; ++it) {
    std::unordered_map<std::string, double> counts;
    expect(pairs, prob, &counts);
    double total = 0;
    for (auto& kv : counts) total += kv.second;
    prob.clear();
    for (auto& kv : counts)
      if (kv.second >= 0.5) prob[kv.first] = kv.second / total;
  }

  // Graphone ids in a fixed order (by key), 0 standing for the word's edges.
  std::vector<std::vector<std::string>> cuts;
  std::map<std::string, int> ids;
  for (const Pair& p : pairs) {
    cuts.push_back(viterbi(p, prob));
    for (auto& g : cuts.back()) ids[g] = 0;
  }
  std::vector<std::string> names(1);
  for (auto& kv : ids) {
    kv.second = static_cast<int>(names.size());
    names.push_back(kv.first);
  }

  // n-gram counts over <s> g1 ... gn </s> (0 at both ends), weighted.
  std::map<std::vector<int>, double> count[kOrder];
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (cuts[i].empty()) continue;
    std::vector<int> seq{0};
    for (auto& g : cuts[i]) seq.push_back(ids[g]);
    seq.push_back(0);
    for (std::size_t e = 1; e < seq.size(); ++e)
      for (int order = 1; order <= kOrder && static_cast<int>(e) + 1 >= order; ++order)
        count[order - 1][std::vector<int>(seq.begin() + (e + 1 - order), seq.begin() + e + 1)] += pairs[i].weight;
  }

  // Absolute discounting, interpolated: each stored n-gram carries its full
  // probability, each context the weight that the shorter context gets.
  std::map<std::vector<int>, double> context_total[kOrder], context_types[kOrder];
  for (int o = 0; o < kOrder; ++o)
    for (auto& kv : count[o]) {
      std::vector<int> h(kv.first.begin(), kv.first.end() - 1);
      context_total[o][h] += kv.second;
      context_types[o][h] += 1;
    }
  std::map<std::vector<int>, double> p_of[kOrder];
  double unigram_total = context_total[0][{}];
  for (auto& kv : count[0]) p_of[0][kv.first] = kv.second / unigram_total;
  for (int o = 1; o < kOrder; ++o)
    for (auto& kv : count[o]) {
      std::vector<int> h(kv.first.begin(), kv.first.end() - 1);
      std::vector<int> lower(kv.first.begin() + 1, kv.first.end());
      const double gamma = kDiscount * context_types[o][h] / context_total[o][h];
      p_of[o][kv.first] = std::max(kv.second - kDiscount, 0.0) / context_total[o][h] + gamma * p_of[o - 1][lower];
    }

  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "suggest_train: cannot write %s\n", argv[2]);
    return 1;
  }
  std::fputs("tolvar-romanization 1\n", out);
  std::fprintf(out, "graphones %zu\n", names.size() - 1);
  for (std::size_t i = 1; i < names.size(); ++i) {
    const std::size_t tab = names[i].find('\t');
    std::fprintf(out, "%s\t%s\n", names[i].substr(0, tab).c_str(), native_utf8(names[i].substr(tab + 1)).c_str());
  }
  std::size_t ngrams = 0;
  for (int o = 0; o < kOrder; ++o) ngrams += p_of[o].size();
  std::fprintf(out, "ngrams %zu\n", ngrams);
  // Costs are -ln p in thousandths; the backoff is that of the n-gram as a
  // context. Shorter n-grams come first, so each one's history is known.
  for (int o = 0; o < kOrder; ++o)
    for (auto& kv : p_of[o]) {
      long cost = std::lround(-std::log(kv.second) * 1000);
      long backoff = 0;
      if (o + 1 < kOrder) {
        auto t = context_total[o + 1].find(kv.first);
        if (t != context_total[o + 1].end())
          backoff = std::lround(-std::log(kDiscount * context_types[o + 1][kv.first] / t->second) * 1000);
      }
      for (std::size_t i = 0; i < kv.first.size(); ++i) std::fprintf(out, "%s%d", i ? " " : "", kv.first[i]);
      std::fprintf(out, "\t%ld\t%ld\n", cost, backoff);
    }
  std::fclose(out);
  std::fprintf(stderr, "%zu pairs, %zu graphones, %zu n-grams\n", pairs.size(), names.size() - 1, ngrams);
  return 0;
}
