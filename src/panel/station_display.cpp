// placeholder until its layer lands
