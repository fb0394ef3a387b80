#!/usr/bin/env python3
"""A stand-in for the RadioReference SOAP service, on the loopback address only.

It serves a WSDL at <base>?wsdl (the captured one when --captures has it, otherwise one built
from the operation table below) and answers POSTs to <base>index.php in the service's shapes:
rpc/encoded envelopes, SOAP-ENC:Array lists, the AUTH fault for wrong credentials (HTTP 500),
an empty HTTP 500 for a missing parameter, and answers slower than the client's time-out.

Answers come from files: for operation OP whose first parameter is V, "OP_V.xml" then "OP.xml"
in each --fixtures folder, then the captures (mapped by CAPTURES below). A file holding a whole
envelope is sent as it is; a file holding only "<return ...>...</return>" is wrapped. Without a
file the answer's return is nil. getTrsTalkgroups answers are filtered by tgCid when one is
given. Special first-parameter values: 999999 sleeps --slow seconds, 500500 gives an empty 500,
400400 an unreadable body, and 888888 sends its answer (the "OP_888888.xml" fixture) in eight
pieces spread over --drip seconds, its length announced first, so a client sees it arrive;
--drip-all sends every answer that way (for watching a real window wait).

Usage: rr_standin.py [--port N] [--fixtures DIR]... [--captures DIR] [--user U --pass P]
                     [--slow SECONDS] [--drip SECONDS] [--drip-all]
                     [--exit-with-stdin]
Prints "PORT <n>" on its first line of output once it listens.
"""
import argparse
import os
import re
import sys
import threading
import time
import xml.etree.ElementTree as ET
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

NS = "http://api.radioreference.com/soap2"

# operation -> its parameters in order (all but authInfo), with their xsd types
OPERATIONS = {
    "getTrsTalkgroups": [("sid", "int"), ("tgCid", "int"), ("tgTag", "int"), ("tgDec", "int")],
    "getTrsTalkgroupCats": [("sid", "int")],
    "getTrsDetails": [("sid", "int")],
    "getTrsBySysid": [("sysid", "string")],
    "getTrsSites": [("sid", "int")],
    "getStatesByList": [("request", "string")],
    "getCountiesByList": [("request", "string")],
    "getTag": [("id", "int")],
    "getMode": [("mode", "int")],
    "getTrsType": [("id", "int")],
    "getTrsFlavor": [("id", "int")],
    "getTrsVoice": [("id", "int")],
    "getCountryList": [],
    "getCountryInfo": [("coid", "int")],
    "getStateInfo": [("stid", "int")],
    "getCountyInfo": [("ctid", "int")],
    "getAgencyInfo": [("aid", "int")],
    "getSubcatFreqs": [("scid", "int")],
    "searchCountyFreq": [("ctid", "int"), ("freq", "decimal"), ("tone", "string")],
    "searchStateFreq": [("stid", "int"), ("freq", "decimal"), ("tone", "string")],
    "searchMetroFreq": [("mid", "int"), ("freq", "decimal"), ("tone", "string")],
    "getCountyFreqsByTag": [("ctid", "int"), ("tag", "int")],
    "getAgencyFreqsByTag": [("aid", "int"), ("tag", "int")],
    "getMetroArea": [("mid", "int")],
    "getZipcodeInfo": [("zipcode", "int")],
    "fccGetCallsign": [("callsign", "string")],
    "fccGetRadioServiceCode": [("code", "string")],
    "fccGetProxCallsigns": [("lat", "decimal"), ("lon", "decimal"), ("range", "decimal")],
    "getUserData": [],
}

CAPTURES = {
    "getUserData": "user_data.xml",
    "getTrsType": "trs_types.xml",
    "getTrsFlavor": "trs_flavors.xml",
    "getTrsVoice": "trs_voices.xml",
    "getCountyInfo_841": "county_info.xml",
    "getZipcodeInfo_52401": "zipcode_info.xml",
    "getTrsDetails_6673": "trs_details_p25.xml",
    "getTrsSites_6673": "trs_sites_p25.xml",
    "getTrsTalkgroupCats_6673": "trs_talkgroup_cats_p25.xml",
    "getTrsTalkgroups_6673": "trs_talkgroups_p25.xml",
}

ENVELOPE_HEAD = (
    '<?xml version="1.0" encoding="utf-8"?><SOAP-ENV:Envelope '
    'SOAP-ENV:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/" '
    'xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/" '
    'xmlns:xsd="http://www.w3.org/2001/XMLSchema" '
    'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" '
    'xmlns:SOAP-ENC="http://schemas.xmlsoap.org/soap/encoding/" '
    'xmlns:tns="http://api.radioreference.com/soap2"><SOAP-ENV:Body>')
ENVELOPE_TAIL = "</SOAP-ENV:Body></SOAP-ENV:Envelope>"

FAULT = (
    '<?xml version="1.0" encoding="ISO-8859-1"?><SOAP-ENV:Envelope '
    'SOAP-ENV:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"\n'
    '  xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/"\n'
    '  xmlns:xsd="http://www.w3.org/2001/XMLSchema"\n'
    '  xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"\n'
    '  xmlns:SOAP-ENC="http://schemas.xmlsoap.org/soap/encoding/">\n'
    '<SOAP-ENV:Body><SOAP-ENV:Fault><faultcode xsi:type="xsd:string">AUTH</faultcode>'
    '<faultstring xsi:type="xsd:string">Invalid Username or Password.  Make sure you are '
    'logging in with your username and not your email address.</faultstring>'
    '<faultactor xsi:type="xsd:string"></faultactor><detail xsi:type="xsd:string"></detail>'
    '</SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>')


def built_wsdl():
    msgs, ops, binds = [], [], []
    for op, params in OPERATIONS.items():
        parts = "".join('<part name="%s" type="xsd:%s"/>' % p for p in params)
        msgs.append('<message name="%sRequest">%s<part name="authInfo" type="tns:authInfo"/>'
                    '</message><message name="%sResponse"><part name="return" type="tns:R"/>'
                    '</message>' % (op, parts, op))
        ops.append('<operation name="%s"><documentation>%s</documentation><input message='
                   '"tns:%sRequest"/><output message="tns:%sResponse"/></operation>'
                   % (op, op, op, op))
        body = ('<soap:body use="encoded" namespace="%s" encodingStyle='
                '"http://schemas.xmlsoap.org/soap/encoding/"/>' % NS)
        binds.append('<operation name="%s"><soap:operation soapAction="%s#%s" style="rpc"/>'
                     '<input>%s</input><output>%s</output></operation>' % (op, NS, op, body, body))
    return ('<?xml version="1.0" encoding="ISO-8859-1"?>\n<definitions '
            'xmlns:SOAP-ENC="http://schemas.xmlsoap.org/soap/encoding/" '
            'xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:tns="%s" '
            'xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/" '
            'xmlns:wsdl="http://schemas.xmlsoap.org/wsdl/" '
            'xmlns="http://schemas.xmlsoap.org/wsdl/" targetNamespace="%s">\n'
            '<types><xsd:schema targetNamespace="%s"><xsd:complexType name="authInfo"><xsd:all>'
            '<xsd:element name="username" type="xsd:string"/></xsd:all></xsd:complexType>'
            '<xsd:complexType name="R"/></xsd:schema></types>\n%s\n<portType name="P">%s'
            '</portType>\n<binding name="B" type="tns:P"><soap:binding style="rpc" '
            'transport="http://schemas.xmlsoap.org/soap/http"/>%s</binding>\n<service name="S">'
            '<port name="SP" binding="tns:B"><soap:address location="http://127.0.0.1/soap2/'
            'index.php"/></port></service>\n</definitions>'
            % (NS, NS, NS, "\n".join(msgs), "".join(ops), "".join(binds)))


def local(tag):
    return tag.rsplit("}", 1)[-1]


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    cfg = None

    def log_message(self, fmt, *args):
        if self.cfg.verbose:
            sys.stderr.write("rr_standin: " + (fmt % args) + "\n")

    def send(self, status, body, ctype="text/xml; charset=utf-8", drip=0.0):
        data = body.encode("latin-1") if isinstance(body, str) and body.startswith(
            '<?xml version="1.0" encoding="ISO') else (
            body.encode("utf-8") if isinstance(body, str) else body)
        try:
            self.send_response(status)
            self.send_header("Content-Type", ctype)
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            if drip <= 0:
                self.wfile.write(data)
                return
            pieces = 8
            step = (len(data) + pieces - 1) // pieces
            for at in range(0, len(data), step):
                self.wfile.write(data[at:at + step])
                self.wfile.flush()
                time.sleep(drip / pieces)
        except (BrokenPipeError, ConnectionResetError):
            # The client cancelled or timed out while we were answering: nobody is listening.
            self.close_connection = True

    def do_GET(self):
        if "wsdl" not in self.path:
            self.send(404, "")
            return
        cap = self.cfg.captures and os.path.join(self.cfg.captures, "rr-v3.wsdl")
        if cap and os.path.exists(cap):
            with open(cap, "rb") as f:
                self.send(200, f.read())
        else:
            self.send(200, built_wsdl())

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0") or 0)
        raw = self.rfile.read(length)
        try:
            root = ET.fromstring(raw)
        except ET.ParseError:
            self.send(500, "")
            return
        body = next((c for c in root if local(c.tag) == "Body"), None)
        method = body[0] if body is not None and len(body) else None
        if method is None:
            self.send(500, "")
            return
        op = local(method.tag)
        if op not in OPERATIONS:
            action = self.headers.get("SOAPAction", "").strip('"')
            op = action.split("#", 1)[-1] if "#" in action else ""
        if op not in OPERATIONS:
            self.send(500, "")
            return
        values = {local(c.tag): c for c in method}
        auth = values.get("authInfo")
        creds = {local(c.tag): (c.text or "") for c in auth} if auth is not None else {}
        if creds.get("username") != self.cfg.user or creds.get("password") != self.cfg.password:
            self.send(500, FAULT)
            return
        params = OPERATIONS[op]
        if any(name not in values for name, _ in params):
            self.send(500, "")
            return
        first = (values[params[0][0]].text or "").strip() if params else ""
        if first == "999999":
            time.sleep(self.cfg.slow)
        if first == "500500":
            self.send(500, "")
            return
        if first == "400400":
            self.send(200, "<html><body>Service temporarily unavailable")
            return
        text = self.answer_for(op, first)
        if op == "getTrsTalkgroups" and "tgCid" in values:
            text = filter_category(text, (values["tgCid"].text or "0").strip())
        self.send(200, text, drip=self.cfg.drip if first == "888888" or self.cfg.drip_all else 0.0)

    def answer_for(self, op, first):
        names = [op + "_" + first + ".xml", op + ".xml"] if first else [op + ".xml"]
        for folder in self.cfg.fixtures:
            for name in names:
                path = os.path.join(folder, name)
                if os.path.exists(path):
                    return wrap(op, read_text(path))
        if self.cfg.captures:
            for key in ([op + "_" + first] if first else []) + [op]:
                if key in CAPTURES:
                    path = os.path.join(self.cfg.captures, CAPTURES[key])
                    if os.path.exists(path):
                        return read_text(path)
        return wrap(op, '<return xsi:nil="true"/>')


def read_text(path):
    with open(path, "rb") as f:
        data = f.read()
    head = data[:100].decode("ascii", "replace")
    return data.decode("latin-1" if "ISO-8859-1" in head else "utf-8")


def wrap(op, text):
    if "Envelope" in text[:400]:
        return text
    return (ENVELOPE_HEAD + '<ns1:%sResponse xmlns:ns1="%s">' % (op, NS) + text.strip() +
            "</ns1:%sResponse>" % op + ENVELOPE_TAIL)


def filter_category(text, cid):
    if cid in ("", "0"):
        return text
    items = re.findall(r"<item xsi:type=\"tns:Talkgroup\">.*?</item>(?=<item xsi:type=\"tns:"
                       r"Talkgroup\">|</return>)", text, flags=re.S)
    kept = [i for i in items if re.search(r"<tgCid[^>]*>%s</tgCid>" % re.escape(cid), i)]
    start = text.find("<return")
    end = text.rfind("</return>")
    if start < 0 or end < 0:
        return text
    open_end = text.find(">", start) + 1
    head = re.sub(r"Talkgroup\[\d+\]", "Talkgroup[%d]" % len(kept), text[:open_end])
    return head + "".join(kept) + text[end:]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=0)
    ap.add_argument("--fixtures", action="append", default=[])
    ap.add_argument("--captures", default="")
    ap.add_argument("--user", default="user")
    ap.add_argument("--pass", dest="password", default="pass")
    ap.add_argument("--slow", type=float, default=5.0)
    ap.add_argument("--drip", type=float, default=1.0)
    ap.add_argument("--drip-all", action="store_true")
    ap.add_argument("--verbose", action="store_true")
    ap.add_argument("--exit-with-stdin", action="store_true",
                    help="stop when standard input closes (the test that started us is gone)")
    cfg = ap.parse_args()
    if cfg.exit_with_stdin:
        # A test that crashes never stops us; left running we would hold its output pipe open
        # and the test runner would wait for us for ever.
        def watch():
            try:
                while sys.stdin.buffer.read(1):
                    pass
            finally:
                os._exit(0)
        threading.Thread(target=watch, daemon=True).start()
    Handler.cfg = cfg
    server = ThreadingHTTPServer(("127.0.0.1", cfg.port), Handler)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
