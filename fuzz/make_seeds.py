#!/usr/bin/env python3
"""Seeds for one fuzz target, written at run time into its corpus folder.

usage: make_seeds.py NAME CORPUS_DIR SAMPLES_DIR

Real files are taken from SAMPLES_DIR when it exists (cut to a size the fuzzer handles) and
never stored in the repository; generated inputs reach the paths small files cannot: a store
that fills up, more than 999 systems or groups, P25 band plans.
"""
import os
import sys

MAX_SEED = 290_000  # below the fuzzer's -max_len
SAMPLE_HEAD = 64_000  # real files are cut to their first lines: enough variety, fast runs


def put(folder, name, data):
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data[:MAX_SEED])


def head(path, limit=SAMPLE_HEAD):
    with open(path, "rb") as f:
        data = f.read(limit)
    cut = data.rfind(b"\n")
    return data[: cut + 1] if cut > 0 and len(data) == limit else data


def sample_files(samples, sub, suffixes):
    folder = os.path.join(samples, sub)
    if not os.path.isdir(folder):
        return []
    return sorted(os.path.join(folder, n) for n in os.listdir(folder)
                  if n.lower().endswith(suffixes))


HEADER = "TargetModel\tHomePatrol-1\r\nFormatVersion\t2.00\r\n"


def store_full():
    # 30,000 store records are the limit: bare group lines are the cheapest records to pile up.
    return HEADER + "Conventional\t\t\tFull\tOff\t\tConventional\r\n" + "C-Group\n" * 30005 + \
        "Conventional\t\t\tLate\tOff\t\tConventional\r\n"


def over_999_systems():
    return HEADER + "".join("Conventional\t\t\tS%d\tOff\t\tConventional\r\n"
                            "C-Group\t\t\tG\tOff\t0\t0\t0\tCircle\r\n"
                            "C-Freq\t\t\tC\tOff\t154430000\tNFM\t\t3\tOff\t2\t0\tOff\tAuto\tOff\tOff\tOff\tOff\r\n" % s
                            for s in range(1002))


def over_999_groups():
    return HEADER + "Conventional\t\t\tBig\tOff\t\tConventional\r\n" + "".join(
        "C-Group\t\t\tG%d\tOff\t0\t0\t0\tCircle\r\n"
        "C-Freq\t\t\tC\tOff\t%d\tFM\t\t3\tOff\t2\t0\tOff\tAuto\tOff\tOff\tOff\tOff\r\n"
        % (g, 150000000 + g * 12500) for g in range(1003))


def p25_bandplans():
    out = [HEADER, "Trunk\t\t\tP25 sys\tOff\t\tP25 Standard\tDefault\tOff\tAuto\tIgnore\tSrch\r\n"]
    for s in range(3):
        out.append("Site\t\t\tSite %d\tOff\t36.1\t-86.7\t10\tAuto\tStandard\tWide\tCircle\tOff\r\n" % s)
        out.append("BandPlan_P25\t\t\t%d\t851006250\t6250\t0\r\n" % s)
        out.append("BandPlan_P25\t\t\t%d\t762006250\t12500\t0\r\n" % (s + 1))
        out.append("T-Freq\t\t\t\tOff\t%d\t0\t\r\n" % (851012500 + s * 25000))
    out.append("T-Group\t\t\tTG\tOff\t0\t0\t0\tCircle\r\n")
    out.append("TGID\t\t\tA\tOff\t1001\tALL\t2\t2\t0\tOff\tAuto\tOff\tOff\tOff\tOff\tAny\r\n")
    return "".join(out)


SOAP_HEAD = ('<?xml version="1.0" encoding="%s"?><SOAP-ENV:Envelope '
             'xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/" '
             'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" '
             'xmlns:SOAP-ENC="http://schemas.xmlsoap.org/soap/encoding/"><SOAP-ENV:Body>'
             '<ns1:%sResponse xmlns:ns1="http://api.radioreference.com/soap2">')


def soap_answer(op, ret, encoding="utf-8"):
    return (SOAP_HEAD % (encoding, op)) + ret + "</ns1:%sResponse></SOAP-ENV:Body></SOAP-ENV:Envelope>" % op


def soap_seeds(corpus, samples):
    # The captured answers sit beside the samples (../shared/rr); read there, never stored here.
    rr = os.environ.get("TARVEX_RR_DIR") or os.path.join(os.path.dirname(os.path.abspath(samples)), "rr")
    if os.path.isdir(rr):
        for n in sorted(os.listdir(rr)):
            if n.endswith((".xml", ".wsdl")):
                put(corpus, "sample-" + n, head(os.path.join(rr, n), 120_000))
    item = ('<item xsi:type="tns:Talkgroup"><tgDec xsi:type="xsd:int">%d</tgDec>'
            '<tgAlpha xsi:type="xsd:string">A,%d</tgAlpha><tgSubfleet xsi:nil="true"/>'
            '<tags xsi:type="SOAP-ENC:Array"><item><tagId>3</tagId></item></tags></item>')
    put(corpus, "gen-talkgroups", soap_answer(
        "getTrsTalkgroups", '<return xsi:type="SOAP-ENC:Array" SOAP-ENC:arrayType="tns:Talkgroup[400]">'
        + "".join(item % (i, i) for i in range(400)) + "</return>"))
    put(corpus, "gen-deep", soap_answer("getCountyInfo", "<return>" + "<cats><item>" * 90 +
                                        "x" + "</item></cats>" * 90 + "</return>"))
    put(corpus, "gen-nil-return", soap_answer("getUserData", '<return xsi:nil="true"/>'))
    put(corpus, "gen-latin1", soap_answer(
        "getCountyInfo", "<return><countyName>M\xfcnster, Caf\xe9</countyName></return>",
        "ISO-8859-1"))
    put(corpus, "gen-fault", '<?xml version="1.0"?><SOAP-ENV:Envelope xmlns:SOAP-ENV='
        '"http://schemas.xmlsoap.org/soap/envelope/"><SOAP-ENV:Body><SOAP-ENV:Fault>'
        '<faultcode>AUTH</faultcode><faultstring>Invalid</faultstring></SOAP-ENV:Fault>'
        '</SOAP-ENV:Body></SOAP-ENV:Envelope>')
    put(corpus, "gen-wsdl", '<definitions xmlns="http://schemas.xmlsoap.org/wsdl/" '
        'xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/" targetNamespace="urn:x">'
        '<message name="getUserDataRequest"><part name="authInfo" type="tns:authInfo"/></message>'
        '<message name="getUserDataResponse"><part name="return" type="tns:UserInfo"/></message>'
        '<portType name="P"><operation name="getUserData"><input message="tns:getUserDataRequest"/>'
        '<output message="tns:getUserDataResponse"/></operation></portType><binding name="B" '
        'type="tns:P"><operation name="getUserData"><soap:operation soapAction="urn:x#getUserData"/>'
        '</operation></binding></definitions>')


def main():
    name, corpus, samples = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(corpus, exist_ok=True)
    hpd_like = sample_files(samples, "hpdb", (".hpd",))[:8] + sample_files(samples, "hpd", (".hpd",))
    if name in ("hpd", "masterdb"):
        for p in hpd_like:
            put(corpus, "sample-" + os.path.basename(p), head(p))
        put(corpus, "gen-store-full.hpd", store_full())
        put(corpus, "gen-over-999-systems.hpd", over_999_systems())
        put(corpus, "gen-over-999-groups.hpd", over_999_groups())
        put(corpus, "gen-p25-bandplans.hpd", p25_bandplans())
    if name == "masterdb":
        config = os.path.join(samples, "hpdb", "HPDB.config")
        if os.path.isfile(config):
            put(corpus, "sample-HPDB.config", head(config))
    if name == "favorites":
        for p in sample_files(samples, "hpd", (".cfg",)):
            put(corpus, "sample-" + os.path.basename(p), head(p))
        put(corpus, "gen-many-lists", HEADER + "".join(
            "F-List\tList %d\tf_%06d.hpd\tOff\tOn\r\n" % (i, i % 12) for i in range(300)))
    if name == "soap":
        soap_seeds(corpus, samples)
    if name in ("status", "loggrid"):
        pass  # hand-written seeds only: the samples hold no scanner replies or logs


if __name__ == "__main__":
    main()
