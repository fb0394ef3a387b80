// hp_sim: a stand-in HomePatrol scanner on a pseudo-terminal, for trying the Virtual Control
// and the `vc` command without a scanner, and for the window test.
//
//   hp_sim [--link PATH] [--model NAME] [--script FILE] [--split N] [--delay MS]
//
// It prints "device <path>" (the pty's slave, or PATH when --link makes a symlink to it) and
// then reads control lines from standard input (and first from --script, where "wait MS"
// paces the lines). Every command frame it receives is printed as "cmd <words>"; bad frames as
// "bad <frame>".
//
// Control lines:
//   rx key=value|key=value...   the reception STATUS reports now (keys: freq mode tone nac
//                               service system dept chan sig fav uid savoid davoid cavoid)
//   idle                        scanning: STATUS reports empty fields
//   add key=value|...           append a channel to the list CNEXT/CPREV step through
//   model NAME                  what MODEL answers (HomePatrol-1, HomePatrol-2, ...)
//   split N                     send replies in pieces of N bytes, `gap` ms apart
//   gap MS                      pause between pieces (default 20)
//   delay MS                    wait before each reply
//   silence on|off              ignore every frame (the watchdog's case)
//   garbage TEXT                write TEXT to the line now (\r \t \n escapes allowed)
//   unplug                      close the pty (the cable is pulled); the link is removed
//   replug                      a new pty behind the same link; prints "device <path>"
//   state                       print "state ..." with holds, volume, squelch, keys
//   wait MS                     (script) pause before the next line
//   quit
#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(sep, start);
        out.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

std::string unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char c = s[++i];
            out += c == 'r' ? '\r' : c == 't' ? '\t' : c == 'n' ? '\n' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

using Reception = std::map<std::string, std::string>;

Reception parse_reception(const std::string& text) {
    Reception r;
    for (const auto& pair : split(text, '|')) {
        auto eq = pair.find('=');
        if (eq != std::string::npos) r[pair.substr(0, eq)] = pair.substr(eq + 1);
    }
    return r;
}

class Scanner {
  public:
    std::string model = "HomePatrol-1";
    size_t split_size = 0;
    int gap_ms = 20;
    int delay_ms = 0;
    bool silent = false;
    std::string link;

    bool plug() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return false;
        const char* name = ptsname(master_);
        if (!name) return false;
        slave_path_ = name;
        // Holding the slave open keeps the master readable while no client has the port, and
        // raw mode keeps the line from echoing frames back before a client sets it up.
        slave_ = open(name, O_RDWR | O_NOCTTY);
        if (slave_ < 0) return false;
        termios tio{};
        tcgetattr(slave_, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        if (!link.empty()) {
            unlink(link.c_str());
            if (symlink(name, link.c_str()) != 0) return false;
        }
        std::printf("device %s\n", link.empty() ? name : link.c_str());
        std::fflush(stdout);
        return true;
    }

    void unplug() {
        if (master_ >= 0) close(master_);
        if (slave_ >= 0) close(slave_);
        master_ = slave_ = -1;
        if (!link.empty()) unlink(link.c_str());
        out_.clear();
        in_.clear();
        std::printf("unplugged\n");
        std::fflush(stdout);
    }

    int fd() const { return master_; }

    void read_input() {
        char buf[512];
        for (;;) {
            ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) break;
            in_.append(buf, static_cast<size_t>(n));
        }
        size_t cr;
        while ((cr = in_.find('\r')) != std::string::npos) {
            std::string frame = in_.substr(0, cr);
            in_.erase(0, cr + 1);
            handle_frame(frame);
        }
        if (in_.size() > 4096) in_.clear();
    }

    void send_now(const std::string& bytes) { queue(bytes, now_ms()); }

    // Writes the pieces whose time has come; returns ms until the next one (-1: none).
    int flush_due() {
        long long now = now_ms();
        while (!out_.empty() && out_.front().first <= now) {
            if (master_ >= 0) {
                const std::string& b = out_.front().second;
                ssize_t ignored = write(master_, b.data(), b.size());
                (void)ignored;
            }
            out_.pop_front();
        }
        return out_.empty() ? -1 : static_cast<int>(out_.front().first - now);
    }

    void set_reception(const Reception& r) { current_ = r; }
    void add_channel(const Reception& r) {
        channels_.push_back(r);
        if (channels_.size() == 1) {
            index_ = 0;
            current_ = r;
        }
    }

    void print_state() {
        std::printf("state hold=%d,%d,%d vol=%d sql=%d rec=%d mute=%d att=%d\n", holds_[0],
                    holds_[1], holds_[2], volume_, squelch_, rec_, mute_, att_);
        std::fflush(stdout);
    }

  private:
    void queue(const std::string& bytes, long long at) {
        if (split_size == 0) {
            out_.emplace_back(at, bytes);
            return;
        }
        for (size_t i = 0; i < bytes.size(); i += split_size) {
            out_.emplace_back(at, bytes.substr(i, split_size));
            at += gap_ms;
        }
    }

    void reply(const std::string& text) {
        long long at = now_ms() + delay_ms;
        if (!out_.empty() && out_.back().first > at) at = out_.back().first;
        queue(text + "\r", at);
    }

    std::string field(const char* key) const {
        auto it = current_.find(key);
        return it == current_.end() ? std::string() : it->second;
    }

    std::string status() const {
        std::string s = "RMT\tSTATUS";
        auto add = [&](const std::string& v) { s += "\t" + v; };
        add(field("freq"));
        add(field("mode"));
        add(att_ ? "1" : "0");
        add(field("tone"));
        add(field("nac"));
        add(field("service"));
        add(field("system"));
        add(field("dept"));
        add(field("chan"));
        add(std::to_string(squelch_));
        add(mute_ ? "1" : "0");
        add(field("sig"));
        add(field("fav"));
        add(field("uid"));
        add(field("savoid").empty() ? "0" : field("savoid"));
        add(field("davoid").empty() ? "0" : field("davoid"));
        add(field("cavoid").empty() ? "0" : field("cavoid"));
        return s;
    }

    void step(int by) {
        if (channels_.empty()) return;
        index_ = (index_ + channels_.size() + by) % channels_.size();
        current_ = channels_[index_];
    }

    static bool on_off(const std::string& v, int& flag) {
        if (v == "ON")
            flag = 1;
        else if (v == "OFF")
            flag = 0;
        else
            return false;
        return true;
    }

    void handle_frame(const std::string& frame) {
        if (silent) return;
        auto fields = split(frame, '\t');
        size_t last_tab = frame.rfind('\t');
        long sum = 0;
        if (last_tab != std::string::npos)
            for (size_t i = 0; i <= last_tab; ++i) sum += static_cast<unsigned char>(frame[i]);
        if (fields.size() < 3 || fields[0] != "RMT" || fields.back() != std::to_string(sum)) {
            std::printf("bad %s\n", frame.c_str());
            std::fflush(stdout);
            reply("ERR");
            return;
        }
        std::vector<std::string> words(fields.begin() + 1, fields.end() - 1);
        std::string line;
        for (const auto& w : words) line += (line.empty() ? "" : " ") + w;
        std::printf("cmd %s\n", line.c_str());
        std::fflush(stdout);
        const std::string& cmd = words[0];
        const std::string arg = words.size() > 1 ? words[1] : std::string();
        bool receiving = !field("chan").empty();
        auto ok = [&](bool done) { reply("RMT\t" + cmd + "\t" + (done ? "OK" : "NG")); };

        if (cmd == "MODEL") return reply("RMT\tMODEL\t" + model);
        if (cmd == "STATUS") return reply(status());
        if (cmd == "JPM") return ok(arg == "SCN_MODE" || (arg == "REP_MODE" && recorded_));
        if (cmd == "REC") {
            if (!on_off(arg, rec_)) return reply("ERR");
            if (rec_) recorded_ = true;
            return ok(true);
        }
        if (cmd == "MUTE") return on_off(arg, mute_) ? ok(true) : reply("ERR");
        if (cmd == "GATT") return on_off(arg, att_) ? ok(true) : reply("ERR");
        if (cmd == "VOL" || cmd == "SQL") {
            char* end = nullptr;
            long v = std::strtol(arg.c_str(), &end, 10);
            if (arg.empty() || *end || v < 0 || v > 15) return reply("ERR");
            (cmd == "VOL" ? volume_ : squelch_) = static_cast<int>(v);
            return ok(true);
        }
        static const std::map<std::string, int> holds = {{"SHOLD", 0}, {"DHOLD", 1}, {"CHOLD", 2}};
        if (auto h = holds.find(cmd); h != holds.end()) {
            int flag = holds_[h->second];
            if (!on_off(arg, flag)) return reply("ERR");
            if (flag && !receiving) return ok(false);
            holds_[h->second] = flag;
            return ok(true);
        }
        static const std::map<std::string, const char*> avoids = {
            {"SAVOID", "savoid"}, {"DAVOID", "davoid"}, {"CAVOID", "cavoid"}};
        if (auto a = avoids.find(cmd); a != avoids.end()) {
            if (arg != "ON" && arg != "OFF") return reply("ERR");
            if (!receiving) return ok(false);
            current_[a->second] = arg == "ON" ? "1" : "0";
            if (!channels_.empty()) channels_[index_] = current_;
            return ok(true);
        }
        if (cmd == "SNEXT" || cmd == "DNEXT" || cmd == "CNEXT") {
            step(1);
            return ok(true);
        }
        if (cmd == "SPREV" || cmd == "DPREV" || cmd == "CPREV") {
            step(-1);
            return ok(true);
        }
        reply("ERR");
    }

    int master_ = -1, slave_ = -1;
    std::string slave_path_;
    std::string in_;
    std::deque<std::pair<long long, std::string>> out_;
    Reception current_;
    std::vector<Reception> channels_;
    size_t index_ = 0;
    int holds_[3] = {0, 0, 0};
    int volume_ = 0, squelch_ = 0, rec_ = 0, mute_ = 0, att_ = 0;
    bool recorded_ = false;
};

// Runs one control line; false on "quit".
bool control(Scanner& hp, const std::string& raw, long long& wait_until) {
    std::string line = raw;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    auto space = line.find(' ');
    std::string word = line.substr(0, space);
    std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (word == "quit") return false;
    if (word == "rx")
        hp.set_reception(parse_reception(rest));
    else if (word == "idle")
        hp.set_reception({});
    else if (word == "add")
        hp.add_channel(parse_reception(rest));
    else if (word == "model")
        hp.model = rest;
    else if (word == "split")
        hp.split_size = static_cast<size_t>(std::atoi(rest.c_str()));
    else if (word == "gap")
        hp.gap_ms = std::atoi(rest.c_str());
    else if (word == "delay")
        hp.delay_ms = std::atoi(rest.c_str());
    else if (word == "silence")
        hp.silent = rest == "on";
    else if (word == "garbage")
        hp.send_now(unescape(rest));
    else if (word == "unplug")
        hp.unplug();
    else if (word == "replug") {
        if (hp.fd() < 0 && !hp.plug()) std::fprintf(stderr, "hp_sim: cannot open a pty\n");
    } else if (word == "state")
        hp.print_state();
    else if (word == "wait")
        wait_until = now_ms() + std::atoi(rest.c_str());
    else if (!word.empty() && word[0] != '#')
        std::fprintf(stderr, "hp_sim: unknown line: %s\n", line.c_str());
    if (word != "state" && word != "wait" && !word.empty() && word[0] != '#') {
        std::printf("ok %s\n", word.c_str());
        std::fflush(stdout);
    }
    return true;
}

int usage(int code) {
    std::fprintf(code ? stderr : stdout,
                 "usage: hp_sim [--link PATH] [--model NAME] [--script FILE] [--split N] "
                 "[--delay MS]\n"
                 "A stand-in HomePatrol on a pseudo-terminal; control lines on standard input\n"
                 "(see the top of tools/hp_sim.cpp or docs/virtual-control.md).\n");
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    Scanner hp;
    std::deque<std::string> script;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--help" || a == "-h") return usage(0);
        if (a == "--link")
            hp.link = value();
        else if (a == "--model")
            hp.model = value();
        else if (a == "--split")
            hp.split_size = static_cast<size_t>(std::atoi(value().c_str()));
        else if (a == "--delay")
            hp.delay_ms = std::atoi(value().c_str());
        else if (a == "--script") {
            std::ifstream in(value());
            if (!in) {
                std::fprintf(stderr, "hp_sim: cannot read the script\n");
                return 2;
            }
            for (std::string l; std::getline(in, l);) script.push_back(l);
        } else
            return usage(2);
    }
    if (!hp.plug()) {
        std::perror("hp_sim: pseudo-terminal");
        return 1;
    }

    std::string stdin_buf;
    bool stdin_open = true;
    long long wait_until = 0;
    for (;;) {
        while (!script.empty() && now_ms() >= wait_until) {
            std::string l = script.front();
            script.pop_front();
            if (!control(hp, l, wait_until)) return 0;
        }
        int timeout = 50;
        int due = hp.flush_due();
        if (due >= 0 && due < timeout) timeout = due;
        pollfd fds[2];
        int n = 0;
        if (stdin_open) fds[n++] = {0, POLLIN, 0};
        int port_index = -1;
        if (hp.fd() >= 0) {
            port_index = n;
            fds[n++] = {hp.fd(), POLLIN, 0};
        }
        if (poll(fds, static_cast<nfds_t>(n), timeout) < 0) continue;
        if (stdin_open && fds[0].revents) {
            char buf[1024];
            ssize_t got = read(0, buf, sizeof buf);
            if (got <= 0) {
                // Standard input closed: run on the script alone, or stop when there is none.
                stdin_open = false;
                if (script.empty()) return 0;
            } else {
                stdin_buf.append(buf, static_cast<size_t>(got));
                size_t nl;
                while ((nl = stdin_buf.find('\n')) != std::string::npos) {
                    std::string l = stdin_buf.substr(0, nl);
                    stdin_buf.erase(0, nl + 1);
                    if (!control(hp, l, wait_until)) return 0;
                }
            }
        }
        if (port_index >= 0 && (fds[port_index].revents & POLLIN)) hp.read_input();
    }
}

#else
#include <cstdio>
int main() {
    std::fprintf(stderr, "hp_sim needs POSIX pseudo-terminals\n");
    return 1;
}
#endif
