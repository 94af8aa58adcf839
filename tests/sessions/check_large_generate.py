#!/usr/bin/env python3
"""Writes check_large.xml: a check of 2,000 positions priced 0.01 to 20.00."""
from pathlib import Path

positions = "".join(
    f'<FiscalString Name="P{i}" Quantity="1" PriceWithDiscount="{i / 100:.2f}" '
    f'AmountWithDiscount="{i / 100:.2f}"/>\n'
    for i in range(1, 2001))
Path(__file__).with_name("check_large.xml").write_text(
    '<CheckPackage>\n<Parameters CashierName="Load"/>\n<Positions>\n' + positions +
    '</Positions>\n<Payments Cash="20000" ElectronicPayment="100"/>\n</CheckPackage>\n',
    encoding="utf-8")
