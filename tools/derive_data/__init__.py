"""Derives Vellumwise's word data (dictionary, irregular verbs, glossaries) from ECDICT."""
